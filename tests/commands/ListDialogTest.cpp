// The master and group editor over the real main window with generated menus and toolbars:
// the category filter, adding, editing and deleting masters and groups, links, INI export and
// import, and what OK and Cancel leave in the main window and the data file.
#include "MasterEditorFixture.h"
#include "app/CommandHelper.h"
#include "commands/RecordViews.h"
#include "commands/SetDataAddUnit.h"
#include "commands/SetDataUnit.h"
#include "commands/TopFormData.h"
#include "common/Registry.h"
#include "common/UserDataFile.h"
#include "core/CommandLookup.h"
#include "core/GeneratedNames.h"
#include "core/IndexList.h"
#include "core/MenuTree.h"
#include "toolbar/TbControls.h"
#include "ui/Menus.h"

using namespace quolin;
using namespace quolin::test_support;

namespace {

constexpr int Inserting = 3;
constexpr int Formatting = 5;

class ListDialog : public MasterEditorFixture {
protected:
  void SetUp() override {
    MainWindowFixture::SetUp();
    TQuolin_CmdList section = Record(1, "Section", "\\section{$S}", Inserting);
    section.ListCaption = "節";
    section.VisibleType = 1;
    section.ImgIndex = 2;
    TMenuTree tree;
    tree.Root(mkMainMenu).AddChild({.Caption = "節", .CommandId = 1});
    StartWith({section, Record(2, "Bold", "{\\bf $S}", Formatting),
               Record(3, "Used", "used", Inserting), Record(4, "Free", "free", Inserting)},
              {Record(1, "Heads", "$00000003"), Record(2, "Empty", "")}, tree,
              {{1, "tb", "$00000001$FFFFFFFF"}});
  }

  void RunList(const std::function<void(TSetDataForm&)>& act, int select = 0) {
    RunForm<TSetDataForm>("SetDataForm", act, [select] { ShowSetDataForm(select, false); });
  }
  // Opens the record dialog by opener and ends it with OK (or Cancel) after edit.
  static void RecordBy(TControl& opener, const std::function<void(TSetDataAddForm&)>& edit,
                       bool ok = true) {
    OpenNested(opener, "SetDataAddForm", [&](TForm& nested, uitest::FormDriver&) {
      auto& record = static_cast<TSetDataAddForm&>(nested);
      edit(record);
      uitest::FormDriver::Click(ok ? *record.Button_OK : *record.Button_Cancel);
    });
  }
  static TQuolin_CmdList Line(const TStrings& list, int id) {
    TQuolin_CmdList record;
    EXPECT_GE(GetRecordByIdLinear(id, list, record), 0) << id;
    return record;
  }
  std::string DataStream(const char* stream) const {
    TStringList masters, groups;
    LoadMasterData(DataFileName, masters, groups);
    return std::string(stream) == "Master" ? masters.Text() : groups.Text();
  }
};

TEST_F(ListDialog, CategoriesGroupsAndMembers) {
  RunList([&](TSetDataForm& form) {
    EXPECT_EQ(form.Caption(), "マスタ/グループ編集");
    EXPECT_EQ(form.ComboBox_Category->Items().Count(), 14);
    EXPECT_EQ(form.ComboBox_Category->ItemIndex(), 0);
    EXPECT_EQ(form.ListView_Master->ItemCount(), 0);
    Choose(*form.ComboBox_Category, Inserting);
    EXPECT_EQ(Captions(*form.ListView_Master), (std::vector<std::string>{"Section", "Used", "Free"}));
    EXPECT_EQ(form.ListView_Master->Items(0)->ImageIndex, 2);
    Choose(*form.ComboBox_Category, Formatting);
    EXPECT_EQ(Captions(*form.ListView_Master), std::vector<std::string>{"Bold"});
    EXPECT_EQ(Captions(*form.ListView_Group), (std::vector<std::string>{"Heads", "Empty"}));
    EXPECT_EQ(form.ListView_Member->ItemCount(), 0);
    Select(*form.ListView_Group, "Heads");
    EXPECT_EQ(Captions(*form.ListView_Member), std::vector<std::string>{"Used"}) << "list captions";
    Select(*form.ListView_Group, "Empty");
    EXPECT_EQ(form.ListView_Member->ItemCount(), 0);
    uitest::FormDriver::Click(*form.Button_Cancel);
  });
  // A master to select shows its category.
  RunList(
      [&](TSetDataForm& form) {
        EXPECT_EQ(form.ComboBox_Category->ItemIndex(), Formatting);
        EXPECT_EQ(form.ListView_Master->ItemIndex(), 0);
      },
      2);
}

TEST_F(ListDialog, AddEditAndDelete) {
  const std::string groupsBefore = top->GroupList.Text();
  RunList([&](TSetDataForm& form) {
    RecordBy(*form.Button_MasterAdd, [](TSetDataAddForm& record) {
      EXPECT_EQ(record.Caption(), "マスタ追加");
      record.Edit_Caption->SetText("New");
      record.Combo_Type->SetItemIndex(Inserting);
    });
    EXPECT_EQ(form.ComboBox_Category->ItemIndex(), Inserting);
    EXPECT_EQ(Captions(*form.ListView_Master),
              (std::vector<std::string>{"Section", "Used", "Free", "New"}));
    EXPECT_EQ(form.ListView_Master->ItemIndex(), 3) << "the new one selected";
    EXPECT_EQ(Line(form.Masters, 5).Name, "New");

    Select(*form.ListView_Master, "Free");
    RecordBy(*form.Button_MasterEdit, [](TSetDataAddForm& record) {
      EXPECT_EQ(record.Caption(), "マスタ編集");
      EXPECT_EQ(record.Edit_Caption->Text(), "Free");
      record.Edit_Caption->SetText("Freed");
    });
    EXPECT_EQ(form.ListView_Master->Items(2)->Caption, "Freed");
    EXPECT_EQ(form.Masters.Count(), 5);

    RecordBy(*form.Button_GroupAdd, [](TSetDataAddForm& record) {
      EXPECT_EQ(record.Caption(), "グループ追加");
      record.Edit_Caption->SetText("G3");
    });
    EXPECT_EQ(Captions(*form.ListView_Group), (std::vector<std::string>{"Heads", "Empty", "G3"}));
    EXPECT_EQ(form.ListView_Group->ItemIndex(), 2);
    uitest::FormDriver::Click(*form.Button_GroupDelete);
    EXPECT_EQ(form.Groups.Text(), groupsBefore);

    Select(*form.ListView_Master, "Freed");
    uitest::FormDriver::Click(*form.Button_MasterDelete);
    EXPECT_EQ(Captions(*form.ListView_Master),
              (std::vector<std::string>{"Section", "Used", "New"}));
    uitest::FormDriver::Click(*form.Button_OK);
  });
  EXPECT_TRUE(dialogs.calls.empty());
  EXPECT_EQ(IndexOfRecordId(top->MasterList, 4), -1);
  EXPECT_EQ(Line(top->MasterList, 5).Name, "New");
  EXPECT_EQ(DataStream("Master"), top->MasterList.Text());
}

TEST_F(ListDialog, DeletingWhatIsInUseIsRefused) {
  RunList([&](TSetDataForm& form) {
    Choose(*form.ComboBox_Category, Inserting);
    Select(*form.ListView_Master, "Used");
    uitest::FormDriver::Click(*form.Button_MasterDelete);
    ASSERT_EQ(dialogs.calls.size(), 1u);
    EXPECT_EQ(dialogs.calls[0].text, "このマスタは使用されているので削除できません.");
    EXPECT_EQ(dialogs.calls[0].type, static_cast<int>(TMsgDlgType::mtInformation));
    // Linked while the dialog is open: in use too.
    Select(*form.ListView_Group, "Empty");
    Select(*form.ListView_Master, "Free");
    uitest::FormDriver::Click(*form.Button_MemberAdd);
    uitest::FormDriver::Click(*form.Button_MasterDelete);
    EXPECT_EQ(dialogs.calls.size(), 2u);
    EXPECT_EQ(form.Masters.Count(), 4);
    Select(*form.ListView_Group, "Heads");
    uitest::FormDriver::Click(*form.Button_GroupDelete);
    ASSERT_EQ(dialogs.calls.size(), 3u);
    EXPECT_EQ(dialogs.calls[2].text, "このグループは使用されているので削除できません.");
    EXPECT_EQ(form.Groups.Count(), 2);
    uitest::FormDriver::Click(*form.Button_Cancel);
  });
}

TEST_F(ListDialog, LinksAreAddedOnceAndRemoved) {
  RunList([&](TSetDataForm& form) {
    Choose(*form.ComboBox_Category, Inserting);
    Select(*form.ListView_Group, "Heads");
    Select(*form.ListView_Master, "Used");
    uitest::FormDriver::Click(*form.Button_MemberAdd);
    EXPECT_FALSE(form.GroupsChanged) << "already a member";
    Select(*form.ListView_Master, "Section");
    uitest::FormDriver::Click(*form.Button_MemberAdd);
    EXPECT_EQ(Captions(*form.ListView_Member), (std::vector<std::string>{"Used", "節"}));
    EXPECT_EQ(form.ListView_Member->ItemIndex(), 1);
    form.ListView_Member->SetItemIndex(0);
    uitest::FormDriver::Click(*form.Button_MemberRemove);
    EXPECT_EQ(Captions(*form.ListView_Member), std::vector<std::string>{"節"});
    EXPECT_EQ(Line(form.Groups, 1).Command, "$00000001");
    uitest::FormDriver::Click(*form.Button_OK);
  });
  EXPECT_EQ(Line(top->GroupList, 1).Command, "$00000001");
  EXPECT_EQ(DataStream("Group"), top->GroupList.Text());
}

TEST_F(ListDialog, ExportAndImportAJapaneseMaster) {
  TQuolin_CmdList item = Record(4, "箇条書き", " \\item ", Inserting);
  item.Hint = "表示|項目";
  item.ShortCut = scCtrl | 'I';
  item.AssistCaption = "item";
  item.ShowList = true;
  item.VisibleType = 5;
  item.ImgIndex = 9;
  top->MasterList.Put(3, BuildMasterRecord(item));
  const std::string file = files / "表.ini";
  AnswerFileDialogs(file);
  RunList([&](TSetDataForm& form) {
    Choose(*form.ComboBox_Category, Inserting);
    Select(*form.ListView_Master, "箇条書き");
    uitest::FormDriver::Click(*form.Button_Export);
    ASSERT_EQ(FileDialogsAsked().size(), 1u);
    EXPECT_EQ(FileDialogsAsked()[0].Filter, "マスタデータ(*.ini)|*.ini|全て(*.*)|*.*");
    EXPECT_EQ(FileDialogsAsked()[0].DefaultExt, "ini");
    EXPECT_TRUE(FileExists(file));
    RecordBy(*form.Button_Import, [](TSetDataAddForm& record) {
      EXPECT_EQ(record.Caption(), "マスタインポート");
    });
    EXPECT_EQ(FileDialogsAsked().size(), 2u);
    EXPECT_EQ(FileDialogsAsked()[1].Kind, TFileDialogKind::fdOpen);
    TQuolin_CmdList imported = Line(form.Masters, 5);
    imported.Id = item.Id;
    EXPECT_EQ(BuildMasterRecord(imported), BuildMasterRecord(item));
    EXPECT_EQ(form.ListView_Master->Items(form.ListView_Master->ItemIndex())->Caption, "箇条書き");
    EXPECT_EQ(SelectedRecordId(*form.ListView_Master), 5);
    uitest::FormDriver::Click(*form.Button_Cancel);
  });
  EXPECT_EQ(RegReadString(res::RegSectionFileIO, "MstExpFolder", ""), files.Path());
  EXPECT_EQ(RegReadString(res::RegSectionFileIO, "MstInpFolder", ""), files.Path());
}

TEST_F(ListDialog, RefusedExportsAndMissingImportsAreReported) {
  const std::string nowhere = files / "missing\\x.ini";
  AnswerFileDialogs(nowhere);
  RunList([&](TSetDataForm& form) {
    Choose(*form.ComboBox_Category, Inserting);
    Select(*form.ListView_Master, "Free");
    uitest::FormDriver::Click(*form.Button_Export);
    ASSERT_EQ(dialogs.calls.size(), 1u);
    EXPECT_EQ(dialogs.calls[0].text, "ファイル \"" + nowhere + "\" の保存に失敗しました.");
    EXPECT_EQ(dialogs.calls[0].type, static_cast<int>(TMsgDlgType::mtWarning));
    // No record dialog for a file that is not there.
    uitest::FormDriver::Click(*form.Button_Import);
    EXPECT_EQ(form.Masters.Count(), 4);
    EXPECT_FALSE(form.MastersChanged);
    uitest::FormDriver::Click(*form.Button_Cancel);
  });
}

TEST_F(ListDialog, OkShowsTheChangesEverywhereAndANewMainWindowLoadsThem) {
  ASSERT_TRUE(OpenDocument(File("a.tex"), "", false, -1, false, true));
  TMenuItem* item = top->MainMenu1->Items()->Items(0);
  auto* button = dynamic_cast<TToolbarButton*>(top->FindComponent(ButtonName(1, 1, 1)));
  ASSERT_NE(button, nullptr);
  EXPECT_TRUE(item->Enabled()) << "rule 1 with a document";
  EXPECT_EQ(button->ImageIndex(), 2);
  CommandHelperDirty = false;
  RunList(
      [&](TSetDataForm& form) {
        RecordBy(*form.Button_MasterEdit, [](TSetDataAddForm& record) {
          record.Combo_Visible->SetItemIndex(5);
          record.SetImageNumber(7);
        });
        RecordBy(*form.Button_MasterAdd, [](TSetDataAddForm& record) {
          record.Edit_Caption->SetText("Added");
          record.Edit_ListCaption->SetText("追加分");
          record.Memo_Command->SetText("added");
        });
        Select(*form.ListView_Group, "Heads");
        uitest::FormDriver::Click(*form.Button_MemberAdd);
        uitest::FormDriver::Click(*form.Button_OK);
      },
      1);
  EXPECT_TRUE(dialogs.calls.empty());
  EXPECT_EQ(button->ImageIndex(), 7);
  EXPECT_FALSE(item->Enabled()) << "rule 5 without a selection";
  EXPECT_TRUE(CommandHelperDirty);
  top->FillGroupDropdown(-1);
  std::vector<std::string> members;
  for (int i = 0; i < top->PopupMenu_Group->Items()->Count(); ++i)
    members.push_back(top->PopupMenu_Group->Items()->Items(i)->Caption());
  EXPECT_EQ(members, (std::vector<std::string>{"Used", "追加分"}));

  FreeMainWindow();
  MakeMainWindow();
  EXPECT_EQ(Line(top->MasterList, 5).Name, "Added");
  EXPECT_EQ(Line(top->GroupList, 1).Command, "$00000003$00000005");
}

TEST_F(ListDialog, AnUnchangedEditWritesNothing) {
  HeldFile held(DataFileName);
  ASSERT_NE(held.handle, INVALID_HANDLE_VALUE);
  RunList(
      [&](TSetDataForm& form) {
        RecordBy(*form.Button_MasterEdit, [](TSetDataAddForm&) {});
        EXPECT_FALSE(form.MastersChanged);
        EXPECT_EQ(form.Masters.Text(), top->MasterList.Text());
        uitest::FormDriver::Click(*form.Button_OK);
      },
      1);
  EXPECT_TRUE(dialogs.calls.empty()) << "nothing was saved";
}

TEST_F(ListDialog, AFailedSaveKeepsTheEdits) {
  const std::string fileMasters = DataStream("Master");
  {
    HeldFile held(DataFileName);
    ASSERT_NE(held.handle, INVALID_HANDLE_VALUE);
    RunList([&](TSetDataForm& form) {
      RecordBy(*form.Button_MasterAdd, [](TSetDataAddForm& record) {
        record.Edit_Caption->SetText("Kept");
      });
      uitest::FormDriver::Click(*form.Button_OK);
    });
  }
  ASSERT_EQ(dialogs.calls.size(), 1u);
  EXPECT_EQ(dialogs.calls[0].text, "データファイル \"" + DataFileName + "\" の保存に失敗しました.");
  EXPECT_EQ(Line(top->MasterList, 5).Name, "Kept") << "not reloaded from the older file";
  EXPECT_EQ(DataStream("Master"), fileMasters);
}

TEST_F(ListDialog, CancelDiscardsEverything) {
  const std::string masters = top->MasterList.Text();
  const std::string groups = top->GroupList.Text();
  RunList([&](TSetDataForm& form) {
    RecordBy(*form.Button_MasterAdd, [](TSetDataAddForm& record) {
      record.Edit_Caption->SetText("Gone");
    });
    Select(*form.ListView_Group, "Empty");
    uitest::FormDriver::Click(*form.Button_GroupDelete);
    uitest::FormDriver::Click(*form.Button_Cancel);
  });
  EXPECT_EQ(top->MasterList.Text(), masters);
  EXPECT_EQ(top->GroupList.Text(), groups);
  EXPECT_EQ(DataStream("Master"), masters);
}

TEST_F(ListDialog, TheFlagOpensTheRecordDialogAtOnce) {
  bool opened = false;
  uitest::Later(top, [&] {
    // The record dialog comes up over the list dialog.
    ASSERT_TRUE(uitest::PumpUntil([&] { return FindForm("SetDataAddForm") != nullptr; }));
    auto* record = dynamic_cast<TSetDataAddForm*>(FindForm("SetDataAddForm"));
    ASSERT_NE(record, nullptr);
    opened = record->Edit_Caption->Text() == "Bold";
    record->SetModalResult(mrCancel);
    uitest::Later(top, [&] {
      if (auto* list = dynamic_cast<TSetDataForm*>(FindForm("SetDataForm")))
        list->SetModalResult(mrCancel);
    });
  });
  ShowSetDataForm(2, true);
  EXPECT_TRUE(opened);
}

} // namespace
