// The program's help file as the program finds it beside Quolin.exe: the viewer opens on a
// page and closes; F1 in a dialog and the help word ask for their contexts.
#include "settings/InfoDialogFixture.h"
#include "support/WindowSearch.h"
#include "ui/Buttons.h"
#include "ui/Edits.h"
#include "ui/HelpFile.h"

#include <set>
#include <vector>

namespace {

using namespace quolin;
using namespace quolin::test_support;

// The visible windows of this thread that no form of the program owns.
std::set<HWND> ViewerWindows() {
  std::set<HWND> windows;
  VisitThreadWindows(GetCurrentThreadId(), [&](HWND window) {
    if (IsWindowVisible(window) && !TControl::FindFromHandle(window))
      windows.insert(window);
    return true;
  });
  return windows;
}

std::string ProgramBeside() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  return ExtractFilePath(path) + "Quolin.exe";
}

class HelpPages : public InfoDialogFixture {
protected:
  void TearDown() override {
    CloseHelpViewers();
    InitHelpFile();
    InfoDialogFixture::TearDown();
  }
  static bool ViewerOpens(const std::function<void()>& ask) {
    InitHelpFile(ProgramBeside());
    EXPECT_FALSE(HelpFile().empty());
    std::set<HWND> before = ViewerWindows();
    ask();
    if (!uitest::PumpUntil([&] { return ViewerWindows().size() > before.size(); }))
      return false;
    CloseHelpViewers();
    return uitest::PumpUntil([&] { return ViewerWindows().size() == before.size(); });
  }
};

TEST_F(HelpPages, FormatDialogPageOpensAndClosesInTheViewer) {
  EXPECT_TRUE(ViewerOpens([] { EXPECT_TRUE(ShowHelpContext(1204)); }));
}

TEST_F(HelpPages, HelpWordOpensTheViewer) {
  EXPECT_EQ(HelpPageOfContext(1000), "top.htm");
  EXPECT_TRUE(ViewerOpens([] { EXPECT_TRUE(Run("$Sys_HelpTopic")); }));
}

TEST_F(HelpPages, F1InTheFormatDialogAsksForItsContext) {
  std::vector<int> asked;
  TOwned<TApplicationEvents> events(TComponent::Create<TApplicationEvents>(nullptr));
  events->OnHelp = [&](int, int data, bool& callHelp) {
    asked.push_back(data);
    callHelp = false;
    return true;
  };
  bool reached = false;
  WhenUp<TFmtForm>(
      "FmtForm",
      [](TFmtForm& form) {
        form.ComboBox1->SetFocus();
        uitest::PressKey(form.ComboBox1->Handle(), VK_F1);
        uitest::FormDriver::Click(*form.Button2);
      },
      &reached);
  EXPECT_TRUE(Run("$Sys_OptSelectFmt_WinTeX"));
  EXPECT_TRUE(reached);
  EXPECT_EQ(asked, (std::vector<int>{1204}));
}

} // namespace
