// The module setup wizard shown modally over the main window in the test process, driven from
// a timer of its modal loop; its three commands reach it through the router.
#include "MainWindowFixture.h"

#include "common/TempFolder.h"
#include "settings/WizUnit.h"
#include "support/FormDriver.h"
#include "texchain/TexCtrl.h"

using namespace quolin;
using namespace quolin::test_support;

namespace {

class ModuleWizardForm : public MainWindowFixture {
protected:
  const std::string definition = files / "Quolin.twz";

  void SetUp() override {
    ShowMainWindow();
    SetModuleDefinitionFile(definition);
  }
  void TearDown() override {
    SetModuleDefinitionFile("");
    MainWindowFixture::TearDown();
  }

  // Shows the wizard as its command does; act runs once it is up and must close it.
  void RunWizard(const std::function<void(TWizForm&)>& act,
                 const std::function<void()>& show = ShowWizForm) {
    bool acted = false;
    uitest::Later(top, [&] {
      auto* form = dynamic_cast<TWizForm*>(Application->FindComponent("WizForm"));
      ASSERT_NE(form, nullptr);
      acted = true;
      act(*form);
      if (form->ModalResult() == mrNone)
        uitest::FormDriver::Click(*form->Button2);
    });
    show();
    EXPECT_TRUE(acted);
  }
};

TEST_F(ModuleWizardForm, ListsTheEntriesAndTheEditToggleWidensAndNarrows) {
  TempFolder::WriteFile(definition, "[W32TeX]\r\nRootDir=C:\\w32tex\r\n[日本語]\r\nX=1\r\n");
  RunWizard([&](TWizForm& form) {
    EXPECT_EQ(form.Caption(), "モジュール自動設定");
    EXPECT_EQ(form.HelpContext, 1216);
    EXPECT_EQ(form.Label1->Caption(), "設定環境(&L) :");
    EXPECT_EQ(form.DefinitionFile, definition);
    ASSERT_EQ(form.ListBox1->Items().Count(), 2);
    EXPECT_EQ(form.ListBox1->Items()[0], "W32TeX");
    EXPECT_EQ(form.ListBox1->Items()[1], "日本語");

    const int narrow = form.ListBox1->Width() + 3 * form.ListBox1->Left();
    const int wide = narrow + form.GroupBox1->Width() + form.ListBox1->Left();
    EXPECT_EQ(form.Width(), narrow);
    EXPECT_FALSE(form.GroupBox1->Visible());
    EXPECT_EQ(form.Button3->Caption(), "編集(&E) >>");
    uitest::FormDriver::Click(*form.Button3);
    EXPECT_EQ(form.Width(), wide);
    EXPECT_TRUE(form.GroupBox1->Showing());
    EXPECT_EQ(form.Button3->Caption(), "編集(&E) <<");
    uitest::FormDriver::Click(*form.Button3);
    EXPECT_EQ(form.Width(), narrow);
    EXPECT_FALSE(form.GroupBox1->Visible());
    EXPECT_EQ(form.Button3->Caption(), "編集(&E) >>");
  });
}

TEST_F(ModuleWizardForm, ADoubleClickOnAnEntrySetsUpStoresAndCloses) {
  const std::string program = files / "platex.exe";
  TempFolder::WriteFile(program, "MZ");
  TempFolder::WriteFile(definition, "[Entry]\r\nTexExeName=" + program + "\r\n");
  RunWizard([&](TWizForm& form) {
    form.ListBox1->SetItemIndex(0);
    uitest::FormDriver::Notify(*form.ListBox1, LBN_DBLCLK);
    EXPECT_EQ(form.ModalResult(), mrOk);
  });
  EXPECT_EQ(top->TexCtrl1->Module(mtTeX).ExeName, program);
  EXPECT_EQ(top->TexCtrl1->Module(mtBibTeX).ExeName, "");
  EXPECT_EQ(StoredString(std::string(res::RegSectionTexModule) + "\\TeX", "ExeName"), program);
  ASSERT_EQ(dialogs.calls.size(), 1u);
  EXPECT_EQ(dialogs.calls[0].text, "TeX  モジュールの設定が完了しました.");
}

TEST_F(ModuleWizardForm, ItsThreeCommandsOpenItThroughTheRouter) {
  for (const char* word :
       {"$Sys_OptWiz_WinTeX", "$Sys_OptWiz_pLaTeX2eWin", "$Sys_OptTexModuleWiz"}) {
    bool shown = false;
    RunWizard([&](TWizForm& form) { shown = form.Visible(); },
              [&] { ExecuteCommand(nullptr, word, 0); });
    EXPECT_TRUE(shown) << word;
  }
  EXPECT_TRUE(dialogs.calls.empty()) << "no word says it is not there yet";
}

} // namespace
