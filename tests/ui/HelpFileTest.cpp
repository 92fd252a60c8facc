#include "ui/HelpFile.h"
#include "common/TempFolder.h"
#include "core/Paths.h"
#include "support/UiTest.h"
#include "ui/Dialogs.h"

#include <windows.h>

#include <htmlhelp.h>

#include <gtest/gtest.h>

using namespace quolin;
using quolin::test_support::TempFolder;

namespace {

BOOL CALLBACK CountVisible(HWND window, LPARAM data) {
  if (IsWindowVisible(window))
    ++*reinterpret_cast<int*>(data);
  return TRUE;
}

int VisibleWindowsOfThisThread() {
  int count = 0;
  EnumThreadWindows(GetCurrentThreadId(), CountVisible, reinterpret_cast<LPARAM>(&count));
  return count;
}

std::string ThisProgram() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  return path;
}

TEST(HelpFile, ContextIdsMapToTheirPages) {
  EXPECT_EQ(HelpPageOfContext(1310), "set_module.htm");
  EXPECT_EQ(HelpPageOfContext(1301), "set_module.htm") << "pages serve several ids";
  EXPECT_EQ(HelpPageOfContext(1403), "cmd_sys.htm");
  EXPECT_EQ(HelpPageOfContext(1209), "top.htm") << "an id without a page";
  EXPECT_EQ(HelpPageOfContext(0), "top.htm");
  EXPECT_EQ(HelpPageOfContext(-5), "top.htm");
}

TEST(HelpFile, HelpFileIsTheProgramsNameWithChmAndNothingIsShownWithoutOne) {
  InitHelpFile();
  EXPECT_EQ(HelpFile(), ChangeFileExt(ThisProgram(), ".chm"));

  TempFolder folder;
  InitHelpFile(folder / "Quolin.exe");
  EXPECT_EQ(HelpFile(), "");
  TempFolder::WriteFile(folder / "Quolin.chm", "ITSF");
  InitHelpFile(folder / "Quolin.exe");
  EXPECT_EQ(HelpFile(), folder / "Quolin.chm");

  // Nothing is shown without a file or for id zero.
  InitHelpFile(folder / "Other.exe");
  EXPECT_FALSE(ShowHelpContext(1310));
  InitHelpFile();
  ASSERT_FALSE(HelpFile().empty());
  EXPECT_FALSE(ShowHelpContext(0));
  EXPECT_FALSE(ShowHelpContext(-1));
  EXPECT_EQ(GetModuleHandleA("hhctrl.ocx"), nullptr); // the viewer was never needed
  EXPECT_EQ(VisibleWindowsOfThisThread(), 0);
}

TEST(HelpFile, ViewerShowsThePageAndClosesAllAtTheEnd) {
  InitHelpFile();
  ASSERT_FALSE(HelpFile().empty());
  ASSERT_EQ(VisibleWindowsOfThisThread(), 0);
  EXPECT_TRUE(ShowHelpContext(1310));
  uitest::Pump();
  EXPECT_GE(VisibleWindowsOfThisThread(), 1);
  CloseHelpViewers();
  uitest::Pump();
  EXPECT_EQ(VisibleWindowsOfThisThread(), 0);
}

TEST(HelpFile, FailedViewerLoadWarnsAndAMissingEntryGivesZeroSilently) {
  uitest::DialogRecorder boxes;
  SetHelpViewerLibrary("QuolinNoSuchViewer.ocx");
  InitHelpFile();
  ASSERT_FALSE(HelpFile().empty());
  EXPECT_FALSE(ShowHelpContext(1310));
  EXPECT_EQ(CallHtmlHelp(nullptr, HelpFile(), HH_DISPLAY_TOPIC, 0), nullptr);
  ASSERT_EQ(boxes.calls.size(), 2u);
  EXPECT_EQ(boxes.calls[0].text,
            "HHCTRL.OCX をロードできませんでした.\r\n"
            "HtmlHelp を表示するためには、Internet Explorer 4 以上、または Internet Explorer "
            "3.02 + HHCTRL.OCX が必要です.\r\n"
            "詳しくは Setup.txt をご覧下さい.");
  EXPECT_EQ(boxes.calls[0].type, static_cast<int>(TMsgDlgType::mtWarning));
  EXPECT_EQ(boxes.calls[0].buttons, static_cast<unsigned>(mbOK));
  EXPECT_EQ(VisibleWindowsOfThisThread(), 0);

  // A library that loads but has no "HtmlHelpA" gives zero silently.
  SetHelpViewerLibrary("kernel32.dll");
  EXPECT_FALSE(ShowHelpContext(1310));
  EXPECT_EQ(CallHtmlHelp(nullptr, HelpFile(), HH_DISPLAY_TOPIC, 0), nullptr);
  EXPECT_EQ(boxes.calls.size(), 2u);
}

} // namespace
