// The reserved words of the whole program: a word added from the text, the list editor's
// buttons and files, and what OK and Cancel leave in the main window, the data file and the
// open documents' views.
#include "MasterEditorFixture.h"
#include "commands/CommandRouter.h"
#include "commands/ReservedWords.h"
#include "commands/SetReservUnit.h"
#include "common/SrgFile.h"
#include "common/UserDataFile.h"
#include "editor/EditorProps.h"
#include "support/FormDriver.h"

using namespace quolin;
using namespace quolin::test_support;

namespace {

class ReserveWords : public MasterEditorFixture {
protected:
  TDocForm* doc = nullptr;

  void SetUp() override {
    MasterEditorFixture::SetUp();
    ASSERT_TRUE(OpenDocument(File("a.tex"), "", false, -1, false, true));
    doc = ActiveDoc();
    Use({"\\beta", "表示"});
  }
  void Use(std::initializer_list<const char*> words) {
    TStringList list;
    for (const char* word : words)
      list.Add(word);
    ASSERT_TRUE(ApplyReserveList(list));
  }
  std::string Stored() const {
    return ReadStreamString(DataFileName, UserDataStorage, ReserveListStream, "");
  }
  // Every holder of the list holds the same words.
  void ExpectEverywhere(const std::string& text) {
    EXPECT_EQ(top->ReserveList.Text(), text);
    EXPECT_EQ(top->EditorProp1->ReserveWordList().Text(), text);
    EXPECT_EQ(doc->Editor1->ReserveWordList().Text(), text);
    EXPECT_EQ(doc->Editor2->ReserveWordList().Text(), text);
  }
  void AddFromText(const std::string& text) {
    doc->Editor1->SetText(text);
    doc->Editor1->SetSelStart(0);
    doc->Editor1->SetSelLength(static_cast<int>(text.size()));
    ExecuteCommand(nullptr, "$Sys_OptAddReserve", 0);
  }
  void RunEditor(const std::function<void(TSetReservForm&)>& act) {
    RunForm<TSetReservForm>("SetReservForm", act, ShowSetReservForm);
  }
  static std::vector<std::string> Items(TSetReservForm& form) {
    std::vector<std::string> items;
    for (int i = 0; i < form.ListBox1->Items().Count(); ++i)
      items.push_back(form.ListBox1->Items()[i]);
    return items;
  }
};

TEST_F(ReserveWords, OnlyOneNewWholeTokenIsAdded) {
  AddFromText("a b");
  EXPECT_EQ(dialogs.beeps, 1) << "two words";
  AddFromText("\\beta");
  EXPECT_EQ(dialogs.beeps, 2) << "listed already";
  // Nothing selected: nothing happens.
  doc->Editor1->SetSelLength(0);
  ExecuteCommand(nullptr, "$Sys_OptAddReserve", 0);
  EXPECT_EQ(dialogs.beeps, 2);
  ExpectEverywhere("\\beta\r\n表示\r\n");
}

TEST_F(ReserveWords, AddedWordsAreSortedSavedAndColouredAtOnce) {
  Use({"\\beta"});
  AddFromText("\\alpha");
  AddFromText("\\zeta");
  AddFromText("\\Alpha");
  EXPECT_EQ(dialogs.beeps, 0) << "a case variant is a word of its own";
  // One sorting first, one last.
  const std::string expected = "\\alpha\r\n\\Alpha\r\n\\beta\r\n\\zeta\r\n";
  ExpectEverywhere(expected);
  EXPECT_EQ(Stored(), expected);
  EXPECT_TRUE(dialogs.calls.empty());
}

TEST_F(ReserveWords, AFailedSaveKeepsTheNewWordInUse) {
  HANDLE held =
      CreateFileA(DataFileName.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  AddFromText("\\alpha");
  CloseHandle(held);
  ASSERT_EQ(dialogs.calls.size(), 1u);
  EXPECT_EQ(dialogs.calls[0].text, "データファイル \"" + DataFileName + "\" の保存に失敗しました.");
  ExpectEverywhere("\\alpha\r\n\\beta\r\n表示\r\n");
  EXPECT_EQ(Stored(), "\\beta\r\n表示\r\n");
}

TEST_F(ReserveWords, TheEditorAddsEditsDeletesAndMoves) {
  RunEditor([&](TSetReservForm& form) {
    EXPECT_EQ(form.Caption(), "予約語設定");
    EXPECT_EQ(Items(form), (std::vector<std::string>{"\\beta", "表示"}));
    form.Edit1->SetText("漢");
    input.Answer(" 漢字 ");
    input.Answer("漢字");
    input.Cancel();
    for (int i = 0; i < 3; ++i)
      uitest::FormDriver::Click(*form.Button_Add);
    ASSERT_EQ(input.calls.size(), 3u);
    EXPECT_EQ(input.calls[0].caption, "追加");
    EXPECT_EQ(input.calls[0].prompt, "追加する予約語を入力してください");
    EXPECT_EQ(input.calls[0].value, "漢");
    EXPECT_EQ(Items(form), (std::vector<std::string>{"\\beta", "表示", "漢字"}));
    EXPECT_EQ(form.ListBox1->ItemIndex(), 2);
    EXPECT_EQ(dialogs.beeps, 1) << "the second is listed; Cancel beeps nothing";

    form.ListBox1->SetItemIndex(0);
    input.Answer(" \\Beta ");
    input.Answer("表示");
    input.Answer("  ");
    uitest::FormDriver::Click(*form.Button_Edit);
    EXPECT_EQ(input.calls[3].caption, "編集");
    EXPECT_EQ(input.calls[3].prompt, "予約語を入力してください");
    EXPECT_EQ(input.calls[3].value, "\\beta");
    for (int i = 0; i < 2; ++i)
      uitest::FormDriver::Click(*form.Button_Edit);
    EXPECT_EQ(Items(form), (std::vector<std::string>{"\\Beta", "表示", "漢字"}));

    // Move to: the first not less, case ignored; a blank text moves nothing.
    form.Edit1->SetText("\\b");
    EXPECT_EQ(form.ListBox1->ItemIndex(), 0);
    form.Edit1->SetText("\\c");
    EXPECT_EQ(form.ListBox1->ItemIndex(), 1);
    form.Edit1->SetText(" ");
    EXPECT_EQ(form.ListBox1->ItemIndex(), 1);

    uitest::FormDriver::Click(*form.Button_Delete);
    EXPECT_EQ(Items(form), (std::vector<std::string>{"\\Beta", "漢字"}));
    EXPECT_EQ(form.ListBox1->ItemIndex(), 1) << "the same place";
    uitest::FormDriver::Click(*form.Button_Delete);
    EXPECT_EQ(form.ListBox1->ItemIndex(), 0) << "the last one";
    uitest::FormDriver::Click(*form.Button_Add);
    uitest::FormDriver::Click(*form.Button_OK);
  });
  ExpectEverywhere("\\Beta\r\n");
  EXPECT_EQ(Stored(), "\\Beta\r\n");
}

TEST_F(ReserveWords, ExportAndImportJapaneseWords) {
  const std::string exported = files / "予約語.lst";
  AnswerFileDialogs(exported);
  RunEditor([&](TSetReservForm& form) {
    uitest::FormDriver::Click(*form.Button_Export);
    ASSERT_EQ(FileDialogsAsked().size(), 1u);
    EXPECT_EQ(FileDialogsAsked()[0].Kind, TFileDialogKind::fdSave);
    EXPECT_EQ(FileDialogsAsked()[0].Filter, "予約語リスト(*.lst)|*.lst|全て(*.*)|*.*");
    EXPECT_EQ(FileDialogsAsked()[0].DefaultExt, "lst");
    EXPECT_EQ(TempFolder::ReadFile(exported), "\\beta\r\n表示\r\n");

    TempFolder::WriteFile(exported, "\r\n  漢字 \n\n\\gamma\r\n");
    dialogs.answer = mrNo;
    uitest::FormDriver::Click(*form.Button_Import);
    ASSERT_EQ(dialogs.calls.size(), 1u);
    EXPECT_EQ(dialogs.calls[0].text, "予約語リストを読み込みますか？.現在のリストはクリアされます.");
    EXPECT_EQ(dialogs.calls[0].type, static_cast<int>(TMsgDlgType::mtInformation));
    EXPECT_EQ(FileDialogsAsked().size(), 1u) << "No asks for no file";
    dialogs.answer = mrYes;
    uitest::FormDriver::Click(*form.Button_Import);
    EXPECT_EQ(FileDialogsAsked().size(), 2u);
    EXPECT_EQ(Items(form), (std::vector<std::string>{"漢字", "\\gamma"}));
    uitest::FormDriver::Click(*form.Button_OK);
  });
  ExpectEverywhere("\\gamma\r\n漢字\r\n");
}

TEST_F(ReserveWords, UnreadableImportsAndRefusedExportsAreReported) {
  const std::string missing = files / "無い.lst";
  AnswerFileDialogs(missing);
  dialogs.answer = mrYes;
  RunEditor([&](TSetReservForm& form) {
    uitest::FormDriver::Click(*form.Button_Import);
    ASSERT_EQ(dialogs.calls.size(), 2u);
    EXPECT_NE(dialogs.calls[1].text.find(missing), std::string::npos) << dialogs.calls[1].text;
    EXPECT_EQ(dialogs.calls[1].type, static_cast<int>(TMsgDlgType::mtWarning));
    EXPECT_EQ(Items(form), (std::vector<std::string>{"\\beta", "表示"}));
    const std::string nowhere = files / "無い\\x.lst";
    AnswerFileDialogs(nowhere);
    uitest::FormDriver::Click(*form.Button_Export);
    ASSERT_EQ(dialogs.calls.size(), 3u);
    EXPECT_EQ(dialogs.calls[2].text, "ファイル \"" + nowhere + "\" の保存に失敗しました.");
    uitest::FormDriver::Click(*form.Button_Cancel);
  });
}

TEST_F(ReserveWords, CancelLeavesListDataFileAndEditorsAlone) {
  const std::string before = Stored();
  RunEditor([&](TSetReservForm& form) {
    input.Answer("\\new");
    uitest::FormDriver::Click(*form.Button_Add);
    form.ListBox1->SetItemIndex(0);
    uitest::FormDriver::Click(*form.Button_Delete);
    uitest::FormDriver::Click(*form.Button_Cancel);
  });
  ExpectEverywhere("\\beta\r\n表示\r\n");
  EXPECT_EQ(Stored(), before);
  // The dialog is kept, and shows the main window's list again.
  RunEditor([&](TSetReservForm& form) {
    EXPECT_EQ(Items(form), (std::vector<std::string>{"\\beta", "表示"}));
  });
}

} // namespace
