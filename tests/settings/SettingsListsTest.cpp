#include "SettingsDialogFixture.h"

#include "app/Outline.h"
#include "app/SettingsBlock.h"
#include "settings/BracketListForm.h"
#include "settings/LogPatternForm.h"
#include "settings/OutlineDetailForm.h"
#include "settings/SetEdit2Page.h"
#include "settings/SetEditPage.h"
#include "settings/SetLogPage.h"

using namespace quolin;
using namespace quolin::test_support;

namespace {

class SettingsLists : public SettingsDialogFixture {
protected:
  uitest::InputRecorder input;

  static std::vector<std::string> Lines(const TStrings& list) {
    std::vector<std::string> lines;
    for (int i = 0; i < list.Count(); ++i)
      lines.push_back(list[i]);
    return lines;
  }
  // Runs the bracket line dialog from inside the bracket list.
  static void AddBracket(TKakkoForm& list, const std::string& character, const std::string& text,
                         bool& okEnabled) {
    OpenNested(*list.Button1, "KakkoAddForm", [&](TForm& form, uitest::FormDriver&) {
      auto& add = static_cast<TKakkoAddForm&>(form);
      add.Edit1->SetText(character);
      add.Edit2->SetText(text);
      okEnabled = add.Button_OK->Enabled();
      uitest::FormDriver::Click(okEnabled ? *add.Button_OK : *add.Button_Cancel);
    });
  }
};

TEST_F(SettingsLists, BracketListTakesOneCharacterKeepsOrderAndRebuildsOpeners) {
  top->Settings.BracketList.SetText("($S)\r\n[$S]\r\n");
  bool kagiOk = false, twoOk = true, emptyOk = true;
  RunDialog([&](TSetForm& form, uitest::FormDriver&) {
    Visit(form, "編集1");
    OpenNested(*form.Frm_SetEdit->Button4, "KakkoForm", [&](TForm& nested, uitest::FormDriver&) {
      auto& list = static_cast<TKakkoForm&>(nested);
      ASSERT_EQ(list.ListView1->ItemCount(), 2);
      EXPECT_EQ(list.ListView1->Items(0)->Caption, "(");
      EXPECT_EQ(list.ListView1->Items(0)->SubItems[0], "$S)");
      AddBracket(list, "ab", "$S", twoOk);
      AddBracket(list, "「", "", emptyOk);
      AddBracket(list, "「", "$S」", kagiOk);
      EXPECT_EQ(list.ListView1->Items(2)->Caption, "「");
      uitest::FormDriver::Click(*list.Button_OK);
    });
    PressCancel(form);
  });
  EXPECT_FALSE(twoOk);
  EXPECT_FALSE(emptyOk);
  EXPECT_TRUE(kagiOk);
  EXPECT_EQ(Lines(top->Settings.BracketList), (std::vector<std::string>{"($S)", "[$S]", "「$S」"}));
  EXPECT_EQ(top->Settings.BracketOpeners, std::string("([\0", 3));
  EXPECT_EQ(StoredString(res::RegSectionEditor, "AutoBracketList"), "($S)\r\n[$S]\r\n「$S」\r\n");
}

TEST_F(SettingsLists, BracketListCancelChangesNothing) {
  top->Settings.BracketList.SetText("($S)\r\n");
  RunDialog([&](TSetForm& form, uitest::FormDriver&) {
    Visit(form, "編集1");
    OpenNested(*form.Frm_SetEdit->Button4, "KakkoForm", [&](TForm& nested, uitest::FormDriver&) {
      auto& list = static_cast<TKakkoForm&>(nested);
      list.ListView1->SetItemIndex(0);
      uitest::FormDriver::Click(*list.Button3);
      EXPECT_EQ(list.ListView1->ItemCount(), 0);
      uitest::FormDriver::Click(*list.Button_Cancel);
    });
    PressCancel(form);
  });
  EXPECT_EQ(Lines(top->Settings.BracketList), std::vector<std::string>{"($S)"});
}

TEST_F(SettingsLists, LogPatternsAreStoredEvenWhenTheDialogIsCancelled) {
  input.Answer("Error: ");
  RunDialog([&](TSetForm& form, uitest::FormDriver&) {
    Visit(form, "ログ/処理");
    OpenNested(*form.Frm_SetLogDel->Button1, "LogFindSetForm",
               [&](TForm& nested, uitest::FormDriver&) {
                 auto& patterns = static_cast<TLogFindSetForm&>(nested);
                 EXPECT_EQ(nested.Caption(), "編集 - ログエラー文字");
                 uitest::FormDriver::Click(*patterns.Button1);
                 EXPECT_EQ(patterns.ListBox1->ItemIndex(), 1) << "the added string is selected";
                 uitest::FormDriver::Click(*patterns.Button_OK);
               });
    PressCancel(form);
  });
  ASSERT_EQ(input.calls.size(), 1u);
  EXPECT_EQ(input.calls[0].caption, "追加");
  EXPECT_EQ(input.calls[0].prompt, "文字列を入力してください");
  EXPECT_EQ(top->Settings.LogLoadOption.LogErrorStr, "\"! \",\"Error: \"");
  EXPECT_EQ(StoredString(res::RegSectionEditLogArea, "LogErrorStr"), "\"! \",\"Error: \"");
}

TEST_F(SettingsLists, DefaultLogPatternsRoundTripByteForByte) {
  const TLogLoadOption defaults;
  for (const std::string& patterns : {defaults.LogErrorStr, defaults.LogWarningStr}) {
    std::string edited = patterns;
    uitest::Later(top, [] {
      auto* form = dynamic_cast<TLogFindSetForm*>(Application->FindComponent("LogFindSetForm"));
      ASSERT_NE(form, nullptr);
      uitest::FormDriver::Click(*form->Button_OK);
    });
    EXPECT_TRUE(EditLogPatterns("編集 - ログ警告文字", edited));
    EXPECT_EQ(edited, patterns);
  }
}

TEST_F(SettingsLists, IndentListAddsEditsAndDeletes) {
  input.Answer("＊");
  input.Answer("");
  input.Answer("・");
  RunDialog([&](TSetForm& form, uitest::FormDriver&) {
    Visit(form, "編集1");
    TFrm_SetEdit& page = *form.Frm_SetEdit;
    page.ListBox1->Items().Clear();
    uitest::FormDriver::Click(*page.RadioButton4);
    uitest::FormDriver::Click(*page.Button1);
    uitest::FormDriver::Click(*page.Button1); // an empty answer adds nothing
    EXPECT_EQ(page.ListBox1->Items().Count(), 1);
    uitest::FormDriver::Click(*page.Button3);
    page.ListBox1->Items().Add("x");
    page.ListBox1->SetItemIndex(1);
    uitest::FormDriver::Click(*page.Button2);
    PressOk(form);
  });
  ASSERT_GE(input.calls.size(), 3u);
  EXPECT_EQ(input.calls[0].caption, "インデント文字追加");
  EXPECT_EQ(input.calls[0].prompt, "指定文字を入力してください");
  EXPECT_EQ(input.calls[2].caption, "インデント文字編集");
  EXPECT_EQ(input.calls[2].value, "＊");
  EXPECT_EQ(Lines(top->Settings.EditOption.IndentList), std::vector<std::string>{"・"});
  EXPECT_EQ(top->Settings.EditOption.IndentType, 3);
}

class OutlineDetail : public SettingsLists {
protected:
  void RunDetail(const std::function<void(TSetExpForm&)>& act) {
    uitest::Later(top, [&] {
      auto* form = dynamic_cast<TSetExpForm*>(Application->FindComponent("SetExpForm"));
      ASSERT_NE(form, nullptr);
      act(*form);
    });
    ShowSetExpForm();
  }
};

TEST_F(OutlineDetail, OkNeedsEverySectionCommandButNotTheGroupField) {
  bool emptyLevel = true, emptyGroup = false;
  RunDetail([&](TSetExpForm& form) {
    EXPECT_EQ(form.HelpContext, 1213);
    form.Edits[7]->SetText("");
    emptyGroup = form.Button_OK->Enabled();
    form.Edits[6]->SetText("");
    emptyLevel = form.Button_OK->Enabled();
    uitest::FormDriver::Click(*form.Button_Cancel);
  });
  EXPECT_TRUE(emptyGroup);
  EXPECT_FALSE(emptyLevel);
}

TEST_F(OutlineDetail, CategoriesSkipListedAndUnchangedAnswersAndOkRestartsRescans) {
  ASSERT_TRUE(OpenDocument(File("a.tex"), "", false, -1, false, true));
  DocAt(0)->Timer_Section->SetEnabled(false);
  SectionSettingValues()[svBibSections] = "article,book";
  input.Answer("BOOK");    // listed, case ignored
  input.Answer("misc");    // added
  input.Answer("Article"); // edit: unchanged but for case
  RunDetail([&](TSetExpForm& form) {
    uitest::FormDriver::Click(*form.Button1);
    uitest::FormDriver::Click(*form.Button1);
    form.ListBox1->SetItemIndex(0);
    uitest::FormDriver::Click(*form.Button2);
    form.Edits[0]->SetText("\\part{$S}");
    uitest::FormDriver::Click(*form.Button_OK);
  });
  EXPECT_EQ(input.calls.size(), 3u);
  EXPECT_EQ(input.calls[0].prompt, "Bibカテゴリを入力してください.");
  EXPECT_EQ(SectionSettingValues()[svBibSections], "article,book,misc");
  EXPECT_EQ(StoredString(res::RegSectionSection, "BibSections"), "article,book,misc");
  EXPECT_EQ(SectionSettingValues()[svPart], "\\part{$S}");
  EXPECT_TRUE(DocAt(0)->Timer_Section->Enabled());
}

} // namespace
