// The real Quolin.exe: one instance per logon, the hand-off of a second start's command line,
// the first start's folders and settings. Every test starts from a reset user.
#include "common/RegistryProbe.h"
#include "common/TempFolder.h"
#include "support/E2eProcess.h"
#include "ui/dde.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

using quolin::test_support::QueryRaw;
using quolin::test_support::TempFolder;
using quolin::test_support::WaitLimitMs;

namespace {

using Lines = std::vector<std::string>;

Lines Sorted(Lines lines) {
  std::sort(lines.begin(), lines.end());
  return lines;
}

bool IsUntitled(const std::string& caption) {
  return caption.starts_with("Noname");
}

std::string SystemValue(const std::string& name) {
  std::string data =
      QueryRaw(HKEY_CURRENT_USER, std::string(e2e::SettingsKey) + "\\System", name).data;
  return data.substr(0, data.find('\0'));
}

bool IsFolder(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsEmptyFolder(const std::string& folder) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
  bool empty = true;
  if (search == INVALID_HANDLE_VALUE)
    return false;
  do {
    std::string name = found.cFileName;
    empty = empty && (name == "." || name == "..");
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return empty;
}

class SingleInstanceE2E : public ::testing::Test {
protected:
  TempFolder elsewhere{"Elsewhere"};

  void SetUp() override { e2e::ResetUserState(); }
  void TearDown() override { e2e::ResetUserState(); }

  // A start whose main window is up.
  std::unique_ptr<e2e::QuolinProcess> StartFirst(const std::string& arguments = "",
                                                 const std::string& folder = "") {
    auto first = std::make_unique<e2e::QuolinProcess>(e2e::StartOptions{arguments, folder});
    EXPECT_TRUE(first->Started());
    main = first->WaitForWindow("TTopForm", "Quolin");
    EXPECT_NE(main, nullptr) << "no main window";
    return first;
  }
  // A second start from the other folder, which must end at once without a window.
  void HandOver(const std::string& arguments) {
    e2e::QuolinProcess second({arguments, elsewhere.Path()});
    ASSERT_TRUE(second.Started());
    e2e::QuolinProcess::ExitWatch watch = second.WatchUntilExit();
    EXPECT_TRUE(watch.exited);
    EXPECT_FALSE(watch.sawVisibleWindow);
    EXPECT_EQ(second.ExitCode(), 0u);
  }
  void CloseFirst(e2e::QuolinProcess& first) {
    ASSERT_TRUE(first.Close(main));
    EXPECT_EQ(first.ExitCode(), 0u);
  }

  HWND main = nullptr;
};

TEST_F(SingleInstanceE2E, FirstStartFillsTheUserFolderAndImportsOnce) {
  auto first = std::make_unique<e2e::QuolinProcess>();
  ASSERT_TRUE(first->Started());
  HWND splash = first->WaitForWindow("TSpForm", "");
  EXPECT_NE(splash, nullptr) << "no splash";
  main = first->WaitForWindow("TTopForm", "Quolin");
  ASSERT_NE(main, nullptr);
  // The splash goes 256 ms after the main window has come up.
  EXPECT_TRUE(e2e::WaitUntil([&] { return !IsWindow(splash); })) << "the splash is still there";

  std::string user = e2e::UserDataFolder();
  EXPECT_NE(TempFolder::ReadFile(user + "Template\\normal.tex").find("\\documentclass"),
            std::string::npos);
  EXPECT_NE(TempFolder::ReadFile(user + "Dic\\Custom.dic").find("documentclass"),
            std::string::npos);
  EXPECT_TRUE(IsEmptyFolder(user + "PlugIn\\"));
  EXPECT_FALSE(IsFolder(user + "img"));

  std::string forms = std::string(e2e::SettingsKey) + "\\Forms";
  EXPECT_EQ(
      QueryRaw(HKEY_CURRENT_USER, std::string(e2e::SettingsKey) + "\\System", "RegSetup").data,
      "\x01");
  EXPECT_EQ(SystemValue("CommandFile"), user + "standard.dat");
  EXPECT_EQ(SystemValue("SetupFolder") + "\\", e2e::ExecutableFolder());
  EXPECT_EQ(QueryRaw(HKEY_CURRENT_USER, forms, "LastDataFile").data,
            user + "standard.dat" + std::string(1, '\0'));
  std::string imported = "Left=40;Top=40;Width=800;Height=600;WindowState=0";
  EXPECT_EQ(QueryRaw(HKEY_CURRENT_USER, forms, "Main").data, imported + std::string(1, '\0'));
  // The outline panel's and the status bar's masters of default.dat.
  EXPECT_EQ(QueryRaw(HKEY_CURRENT_USER, forms, "SecPanelIndex").data, std::string("\x3c\0\0\0", 4));
  EXPECT_EQ(QueryRaw(HKEY_CURRENT_USER, forms, "StatusBarIndex").data,
            std::string("\x3a\0\0\0", 4));
  CloseFirst(*first);

  // A later start imports nothing again.
  quolin::test_support::SetRaw(HKEY_CURRENT_USER, forms, "Main", REG_SZ,
                               std::string("WindowState=2", 14));
  first = StartFirst();
  CloseFirst(*first);
  EXPECT_EQ(QueryRaw(HKEY_CURRENT_USER, forms, "Main").data, std::string("WindowState=2", 14));
}

TEST_F(SingleInstanceE2E, SecondStartHandsItsFilesToTheFirst) {
  for (const char* name : {"a.tex", "b.tex", "c.tex", "表示テスト.tex"})
    TempFolder::WriteFile(elsewhere / name, "text");
  auto first = StartFirst();
  ASSERT_NE(main, nullptr);
  HandOver("a.tex /l10 /t b.tex c.tex 表示テスト.tex \"/m $Sys_FileNew\"");
  // b.tex comes as a template, and "/m" runs the new-document command: two untitled ones.
  Lines documents = e2e::WaitForDocumentCount(main, 5);
  ASSERT_EQ(documents.size(), 5u);
  EXPECT_EQ(documents[1], "表示テスト.tex");
  EXPECT_EQ(documents[2], "c.tex");
  EXPECT_EQ(documents[4], "a.tex");
  EXPECT_TRUE(IsUntitled(documents[0])) << documents[0];
  EXPECT_TRUE(IsUntitled(documents[3])) << documents[3];
  CloseFirst(*first);
}

TEST_F(SingleInstanceE2E, SecondStartWithoutArgumentsRestoresTheFirst) {
  auto first = StartFirst();
  ASSERT_NE(main, nullptr);
  PostMessageA(main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ASSERT_TRUE(e2e::WaitUntil([&] { return IsIconic(main) || !IsWindowVisible(main); }))
      << "not minimised";

  HandOver("");
  EXPECT_TRUE(e2e::WaitUntil([&] { return IsWindowVisible(main) && !IsIconic(main); }))
      << "not restored";
  EXPECT_TRUE(e2e::DocumentCaptions(main).empty());
  CloseFirst(*first);
}

TEST_F(SingleInstanceE2E, StartsAtTheSameTimeLoseNothing) {
  // Two starts at once: one becomes the first, the other hands over while it starts.
  std::string folder = elsewhere.Path();
  for (const char* name : {"one.tex", "two.tex", "three.tex", "four.tex"})
    TempFolder::WriteFile(elsewhere / name, "text");
  {
    e2e::QuolinProcess one({"one.tex", folder});
    e2e::QuolinProcess two({"/l2 two.tex", folder});
    ASSERT_TRUE(one.Started() && two.Started());
    HWND oneMain = one.WaitForWindow("TTopForm", "Quolin");
    e2e::QuolinProcess& running = oneMain ? one : two;
    e2e::QuolinProcess& ended = oneMain ? two : one;
    main = oneMain ? oneMain : two.WaitForWindow("TTopForm", "Quolin");
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(ended.WaitForExit());
    EXPECT_EQ(ended.ExitCode(), 0u);
    EXPECT_EQ(Sorted(e2e::WaitForDocumentCount(main, 2)), (Lines{"one.tex", "two.tex"}));
    CloseFirst(running);
  }

  // Two second starts at once.
  auto first = StartFirst();
  ASSERT_NE(main, nullptr);
  {
    e2e::QuolinProcess three({"three.tex", folder});
    e2e::QuolinProcess four({"/t four.tex", folder});
    EXPECT_TRUE(three.WaitForExit());
    EXPECT_TRUE(four.WaitForExit());
    EXPECT_EQ(three.ExitCode(), 0u);
    EXPECT_EQ(four.ExitCode(), 0u);
  }
  // The restart reopened one.tex and two.tex; four.tex comes as a template: untitled.
  Lines documents = Sorted(e2e::WaitForDocumentCount(main, 4));
  ASSERT_EQ(documents.size(), 4u);
  EXPECT_TRUE(IsUntitled(documents[0])) << documents[0];
  EXPECT_EQ((Lines{documents[1], documents[2], documents[3]}),
            (Lines{"one.tex", "three.tex", "two.tex"}));
  CloseFirst(*first);
}

TEST_F(SingleInstanceE2E, FirstStartListsItsOwnArguments) {
  std::string folder = elsewhere.Path();
  CreateDirectoryA((elsewhere / "sub").c_str(), nullptr);
  for (const char* name : {"rel.tex", "sub\\x.tex", "表.tex"})
    TempFolder::WriteFile(elsewhere / name, "text");
  auto first = StartFirst("rel.tex sub/x.tex /j4 表.tex", folder);
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(e2e::WaitForDocumentCount(main, 3), (Lines{"表.tex", "x.tex", "rel.tex"}));
  CloseFirst(*first);
}

TEST_F(SingleInstanceE2E, StartOptionOpensTheWelcomeText) {
  TempFolder::WriteFile(elsewhere / "ignored.tex", "text");
  TempFolder::WriteFile(elsewhere / "x.tex", "text");
  TempFolder::WriteFile(elsewhere / "y.tex", "text");
  auto first = StartFirst("/start12 ignored.tex", elsewhere.Path());
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(e2e::WaitForDocumentCount(main, 1), Lines{"Startup.tex"});
  // Open already: it only comes to the front. Hand-offs run in order, so once y.tex is there
  // the one before has had its turn.
  HandOver("/start x.tex");
  HandOver("y.tex");
  EXPECT_EQ(e2e::WaitForDocumentCount(main, 2), (Lines{"y.tex", "Startup.tex"}));
  CloseFirst(*first);
}

TEST_F(SingleInstanceE2E, OutsideClientsFileOpenIsHandledCaseSensitively) {
  TempFolder::WriteFile(elsewhere / "x.tex", "text");
  TempFolder::WriteFile(elsewhere / "y.tex", "text");
  auto first = StartFirst("", elsewhere.Path());
  ASSERT_NE(main, nullptr);
  {
    quolin::dde::Client client;
    ASSERT_TRUE(client.Connect("Quolin", "Quolin"));
    EXPECT_EQ(client.Execute("[fileopen(y.tex)]", WaitLimitMs), quolin::dde::drDone);
    EXPECT_EQ(client.Execute("[FileOpen(x.tex)]", WaitLimitMs), quolin::dde::drDone);
  }
  // Macros run in order: once x.tex is there, fileopen has had its turn.
  EXPECT_EQ(e2e::WaitForDocumentCount(main, 1), Lines{"x.tex"}) << "nothing for fileopen";
  CloseFirst(*first);
}

} // namespace
