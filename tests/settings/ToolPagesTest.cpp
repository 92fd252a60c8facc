// The five tool pages of the settings dialog over the main window's tool component: what each
// page shows and stores, the call kind's groups, browsing for the program, and which visits
// store the modules.
#include "SettingsDialogFixture.h"

#include "settings/ToolPages.h"
#include "support/FileDialogAnswers.h"
#include "support/ModuleFields.h"
#include "texchain/TexCtrl.h"

using namespace quolin;
using namespace quolin::test_support;

namespace {

struct PageCase {
  const char* caption;
  TModuleType type;
  const char* subkey;
};

TToolPage& PageOf(TSetForm& form, const PageCase& page) {
  if (page.type == mtTeX)
    return *form.Frm_TeX;
  if (page.type == mtPreview)
    return *form.Frm_View;
  if (page.type == mtPrint)
    return *form.Frm_Print;
  if (page.type == mtMakeIndex)
    return *form.Frm_MakeIdx;
  return *form.Frm_Bib;
}

const PageCase Pages[] = {
    {"TeX", mtTeX, "TeX"},          {"DviPreview", mtPreview, "View"},
    {"DviPrint", mtPrint, "Print"}, {"MakeIndex", mtMakeIndex, "MakeIdx"},
    {"BibTeX", mtBibTeX, "Bib"},
};

// Every field its own value, marked with the tool's tag.
TModule Tagged(const std::string& tag, bool useDde) {
  TModule module;
  module.ExeName = "C:\\" + tag + "\\" + tag + ".exe";
  module.DefaultExt = "." + tag;
  module.UseDDE = useDde;
  module.DosOption = tag + " %filename";
  module.DosCallBack = !useDde;
  module.DdeService = tag + "Service";
  module.DDETopic = tag + "Topic";
  module.DDEItem = tag + "Item";
  module.DDEMacro = "[" + tag + "]";
  module.CloseDDEMacro = "[Exit" + tag + "]";
  module.CloseCaption = tag + " window";
  module.CloseUseDDE = useDde;
  return module;
}

std::string ModuleKey(const PageCase& page) {
  return std::string(res::RegSectionTexModule) + "\\" + page.subkey;
}

class ToolPages : public SettingsDialogFixture {
protected:
  FileDialogAnswers fileDialogs;

  void SetUp() override {
    SettingsDialogFixture::SetUp();
    for (const PageCase& page : Pages)
      Module(page) = Tagged(page.subkey, page.type == mtTeX || page.type == mtPrint);
  }

  TModule& Module(const PageCase& page) { return top->TexCtrl1->Module(page.type); }
  static TFrm_Dde& Visited(TSetForm& form, const PageCase& page) {
    Visit(form, page.caption);
    return *PageOf(form, page).Frm_Dde;
  }
  // The edits and labels placed on the group, and the other controls of the frame.
  static std::vector<TControl*> OnGroup(TFrm_Dde& frame, TControl& group) {
    std::vector<TControl*> controls;
    for (int i = 0; i < frame.ComponentCount(); ++i)
      if (auto* control = dynamic_cast<TControl*>(frame.Components(i));
          control && control->Parent() == &group &&
          (dynamic_cast<TEdit*>(control) || dynamic_cast<TLabel*>(control)))
        controls.push_back(control);
    return controls;
  }
  static bool AllEnabled(const std::vector<TControl*>& controls, bool enabled) {
    for (TControl* control : controls)
      if (control->Enabled() != enabled)
        return false;
    return !controls.empty();
  }
};

TEST_F(ToolPages, EachPageShowsAndStoresItsOwnModule) {
  RunDialog([&](TSetForm& form, uitest::FormDriver& driver) {
    for (const PageCase& page : Pages) {
      TFrm_Dde& frame = Visited(form, page);
      const TModule& module = Module(page);
      EXPECT_EQ(PageOf(form, page).HelpContext, form.HelpContext) << page.caption;
      EXPECT_EQ(PageOf(form, page).ModuleType, page.type);
      EXPECT_EQ(frame.Edit_ExeName->Text(), module.ExeName) << page.caption;
      EXPECT_EQ(frame.Radio_Dde->Checked(), module.UseDDE) << page.caption;
      EXPECT_EQ(frame.Radio_Dos->Checked(), !module.UseDDE) << page.caption;
      EXPECT_EQ(frame.Edit_DdeService->Text(), module.DdeService);
      EXPECT_EQ(frame.Edit_DdeTopic->Text(), module.DDETopic);
      EXPECT_EQ(frame.Edit_DdeMacro->Text(), module.DDEMacro);
      EXPECT_EQ(frame.Edit_DosOption->Text(), module.DosOption);
      EXPECT_EQ(frame.Check_DosEnd->Checked(), module.DosCallBack);
      EXPECT_FALSE(frame.Check_DosEnd->Visible());
      // The dialog's driver reaches each page's program edit by its path.
      const std::string frameName = PageOf(form, page).Name();
      EXPECT_EQ(&driver.Get<TEdit>(frameName + ".Edit_ExeName"), frame.Edit_ExeName);

      driver.Get<TEdit>(frameName + ".Edit_ExeName").SetText(std::string("new-") + page.subkey);
      frame.Edit_DdeService->SetText(std::string("svc-") + page.subkey);
      frame.Edit_DdeTopic->SetText(std::string("topic-") + page.subkey);
      frame.Edit_DdeMacro->SetText(std::string("[macro-") + page.subkey + "]");
      frame.Edit_DosOption->SetText(std::string("opt-") + page.subkey);
      frame.Check_DosEnd->SetChecked(!frame.Check_DosEnd->Checked());
      uitest::FormDriver::Click(module.UseDDE ? *frame.Radio_Dos : *frame.Radio_Dde);
    }
    PressOk(form);
  });
  for (const PageCase& page : Pages) {
    const TModule expected = [&] {
      TModule module = Tagged(page.subkey, page.type == mtTeX || page.type == mtPrint);
      module.ExeName = std::string("new-") + page.subkey;
      module.DdeService = std::string("svc-") + page.subkey;
      module.DDETopic = std::string("topic-") + page.subkey;
      module.DDEMacro = std::string("[macro-") + page.subkey + "]";
      module.DosOption = std::string("opt-") + page.subkey;
      module.DosCallBack = !module.DosCallBack;
      module.UseDDE = !module.UseDDE;
      return module;
    }();
    // The five fields the page does not show keep their values.
    EXPECT_EQ(ModuleFields(Module(page)), ModuleFields(expected)) << page.caption;
    const std::string key = ModuleKey(page);
    EXPECT_EQ(StoredString(key, "ExeName"), expected.ExeName) << page.caption;
    EXPECT_EQ(Stored(key, "UseDDE"), BoolValue(expected.UseDDE)) << page.caption;
    EXPECT_EQ(StoredString(key, "DDEService"), expected.DdeService);
    EXPECT_EQ(StoredString(key, "DDETopic"), expected.DDETopic);
    EXPECT_EQ(StoredString(key, "DDEMacro"), expected.DDEMacro);
    EXPECT_EQ(StoredString(key, "ConsoleOption"), expected.DosOption);
    EXPECT_EQ(Stored(key, "ConsoleCallBack"), BoolValue(expected.DosCallBack));
  }
}

TEST_F(ToolPages, TheCallKindEnablesOnlyItsGroupsEditsAndLabels) {
  RunDialog([&](TSetForm& form, uitest::FormDriver&) {
    TFrm_Dde& frame = Visited(form, Pages[0]);
    const auto dde = OnGroup(frame, *frame.GroupBox_Dde);
    const auto dos = OnGroup(frame, *frame.GroupBox_Dos);
    EXPECT_EQ(dde.size(), 6u);
    EXPECT_EQ(dos.size(), 2u);
    EXPECT_TRUE(AllEnabled(dde, true)) << "the TeX module is called by DDE";
    EXPECT_TRUE(AllEnabled(dos, false));

    uitest::FormDriver::Click(*frame.Radio_Dos);
    EXPECT_TRUE(AllEnabled(dde, false));
    EXPECT_TRUE(AllEnabled(dos, true));
    // Neither the group boxes nor what is no edit or label inside them change.
    EXPECT_TRUE(frame.GroupBox_Dde->Enabled());
    EXPECT_TRUE(frame.Check_DosEnd->Enabled());
    frame.EnableGroupControls(*frame.GroupBox_Dos, false);
    EXPECT_TRUE(frame.Check_DosEnd->Enabled());
    EXPECT_TRUE(frame.Edit_ExeName->Enabled());
    EXPECT_TRUE(frame.Radio_Dde->Enabled());

    uitest::FormDriver::Click(*frame.Radio_Dde);
    EXPECT_TRUE(AllEnabled(dde, true));
    EXPECT_TRUE(AllEnabled(dos, false));

    TFrm_Dde& bib = Visited(form, Pages[4]);
    EXPECT_TRUE(AllEnabled(OnGroup(bib, *bib.GroupBox_Dde), false)) << "BibTeX runs as a process";
    EXPECT_TRUE(AllEnabled(OnGroup(bib, *bib.GroupBox_Dos), true));
    PressCancel(form);
  });
}

TEST_F(ToolPages, BrowsingChoosesTheCallKindByTheProgram) {
  const std::string windvi = files / "WINDVI32.EXE";
  const std::string platex = files / "platex.exe";
  RunDialog([&](TSetForm& form, uitest::FormDriver&) {
    TFrm_Dde& frame = Visited(form, Pages[4]);
    ASSERT_TRUE(frame.Radio_Dos->Checked());
    fileDialogs.chosenFile = windvi;
    uitest::FormDriver::Click(*frame.Button1);
    EXPECT_EQ(frame.Edit_ExeName->Text(), windvi);
    EXPECT_TRUE(frame.Radio_Dde->Checked());
    EXPECT_TRUE(frame.Edit_DdeService->Enabled());

    fileDialogs.chosenFile = platex;
    uitest::FormDriver::Click(*frame.Button1);
    EXPECT_EQ(frame.Edit_ExeName->Text(), platex);
    EXPECT_TRUE(frame.Radio_Dos->Checked());
    EXPECT_FALSE(frame.Edit_DdeService->Enabled());

    fileDialogs.chosenFile.clear();
    uitest::FormDriver::Click(*frame.Radio_Dde);
    uitest::FormDriver::Click(*frame.Button1);
    EXPECT_EQ(frame.Edit_ExeName->Text(), platex) << "a cancelled browse changes nothing";
    EXPECT_TRUE(frame.Radio_Dde->Checked());

    frame.Edit_ExeName->SetText("");
    uitest::FormDriver::Click(*frame.Button1);
    PressCancel(form);
  });
  ASSERT_EQ(fileDialogs.shown.size(), 4u);
  EXPECT_EQ(fileDialogs.shown[0].Title, "実行ファイル参照");
  EXPECT_EQ(fileDialogs.shown[0].Filter, "実行ファイル(*.exe)|*.exe");
  EXPECT_EQ(fileDialogs.shown[0].HistoryKey, "");
  EXPECT_EQ(fileDialogs.shown[0].InitialDir, "C:\\Bib\\");
  EXPECT_EQ(fileDialogs.shown[0].FileName, "Bib.exe");
  EXPECT_EQ(fileDialogs.shown[1].InitialDir, files.Path());
  EXPECT_EQ(fileDialogs.shown[1].FileName, "WINDVI32.EXE");
  EXPECT_EQ(fileDialogs.shown[3].FileName, "");
  EXPECT_EQ(ModuleFields(Module(Pages[4])), ModuleFields(Tagged("Bib", false)))
      << "cancelled dialog";
}

TEST_F(ToolPages, ATypedPathLeavesTheCallKind) {
  RunDialog([&](TSetForm& form, uitest::FormDriver&) {
    TFrm_Dde& frame = Visited(form, Pages[3]);
    ASSERT_TRUE(frame.Radio_Dos->Checked());
    for (char ch : std::string("C:\\w\\windvi32.exe"))
      uitest::TypeChar(frame.Edit_ExeName->Handle(), ch);
    EXPECT_TRUE(frame.Radio_Dos->Checked());
    EXPECT_NE(frame.Edit_ExeName->Text().find("windvi32.exe"), std::string::npos);
    PressCancel(form);
  });
}

TEST_F(ToolPages, VisitAndCancelChangeNothingAndAPageNeverShownKeepsItsModule) {
  for (const PageCase& page : Pages)
    Store(ModuleKey(page), "ExeName", SzValue("seeded"));
  RunDialog([&](TSetForm& form, uitest::FormDriver&) {
    Visited(form, Pages[0]).Edit_ExeName->SetText("typed");
    Visited(form, Pages[1]);
    PressCancel(form);
  });
  for (const PageCase& page : Pages) {
    EXPECT_EQ(StoredString(ModuleKey(page), "ExeName"), "seeded") << page.caption;
    EXPECT_EQ(ModuleFields(Module(page)),
              ModuleFields(Tagged(page.subkey, page.type == mtTeX || page.type == mtPrint)));
  }

  RunDialog([&](TSetForm& form, uitest::FormDriver&) {
    Visited(form, Pages[0]).Edit_ExeName->SetText("typed");
    PressOk(form);
  });
  EXPECT_EQ(Module(Pages[0]).ExeName, "typed");
  for (size_t i = 1; i < std::size(Pages); ++i) {
    EXPECT_EQ(ModuleFields(Module(Pages[i])),
              ModuleFields(Tagged(Pages[i].subkey, Pages[i].type == mtPrint)))
        << Pages[i].caption;
    // All five are stored once one tool page was saved: the others as they were.
    EXPECT_EQ(StoredString(ModuleKey(Pages[i]), "ExeName"), Module(Pages[i]).ExeName);
  }
}

} // namespace
