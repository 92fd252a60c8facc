// The real Quolin.exe's main window: files handed over by a second start and by DDE clients,
// macros that come during start-up, and what closing writes and the next start reopens. Every test
// starts from a reset user.
#include "QuotedNames.h"
#include "common/RegistryProbe.h"
#include "common/TempFolder.h"
#include "support/E2eProcess.h"
#include "ui/dde.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using quolin::test_support::QueryRaw;
using quolin::test_support::QuotedNames;
using quolin::test_support::SetRaw;
using quolin::test_support::TempFolder;
using quolin::test_support::WaitLimitMs;

namespace {

using Lines = std::vector<std::string>;

std::string Setting(const std::string& section, const std::string& name) {
  std::string data =
      QueryRaw(HKEY_CURRENT_USER, std::string(e2e::SettingsKey) + "\\" + section, name).data;
  return data.substr(0, data.find('\0'));
}

void StoreSetting(const std::string& section, const std::string& name, DWORD type,
                  const std::string& data) {
  SetRaw(HKEY_CURRENT_USER, std::string(e2e::SettingsKey) + "\\" + section, name, type, data);
}

void StoreString(const std::string& section, const std::string& name, const std::string& text) {
  StoreSetting(section, name, REG_SZ, text + std::string(1, '\0'));
}

Lines SplitLines(const std::string& text) {
  Lines lines;
  size_t start = 0;
  for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(text.substr(start, end - start));
  return lines;
}

class MainWindowE2E : public ::testing::Test {
protected:
  TempFolder folder{"Docs"};
  TempFolder elsewhere{"Elsewhere"};
  HWND main = nullptr;

  void SetUp() override { e2e::ResetUserState(); }
  void TearDown() override { e2e::ResetUserState(); }

  std::string File(const TempFolder& in, const std::string& name) {
    std::string path = in / name;
    TempFolder::WriteFile(path, "\\documentclass{article}\r\n");
    return path;
  }
  std::unique_ptr<e2e::QuolinProcess> Start(const std::string& arguments = "",
                                            const std::string& currentFolder = "") {
    auto process =
        std::make_unique<e2e::QuolinProcess>(e2e::StartOptions{arguments, currentFolder});
    EXPECT_TRUE(process->Started());
    main = process->WaitForWindow("TTopForm", "Quolin");
    EXPECT_NE(main, nullptr) << "no main window";
    return process;
  }
  void Close(e2e::QuolinProcess& process) {
    ASSERT_TRUE(process.Close(main));
    EXPECT_EQ(process.ExitCode(), 0u);
  }
};

TEST_F(MainWindowE2E, SecondStartFromAnotherFolderOpensItsFiles) {
  CreateDirectoryA((elsewhere / "sub").c_str(), nullptr);
  File(elsewhere, "sub\\a.tex");
  File(elsewhere, "my file.tex");
  auto first = Start("", folder.Path());
  ASSERT_NE(main, nullptr);

  e2e::QuolinProcess second({"sub\\a.tex \"my file.tex\"", elsewhere.Path()});
  ASSERT_TRUE(second.Started());
  e2e::QuolinProcess::ExitWatch watch = second.WatchUntilExit();
  EXPECT_TRUE(watch.exited);
  EXPECT_FALSE(watch.sawVisibleWindow);
  EXPECT_EQ(e2e::WaitForDocumentCount(main, 2), (Lines{"my file.tex", "a.tex"}));
  Close(*first);
  EXPECT_EQ(Setting("Files", "WakeupOpenFiles"),
            QuotedNames({elsewhere / "sub\\a.tex", elsewhere / "my file.tex"}));
}

TEST_F(MainWindowE2E, DdeClientMacrosOpenFiles) {
  for (const char* name : {"x.tex", "y.tex", "w.tex", "z.tex", "p"})
    File(folder, name);
  auto first = Start("", folder.Path());
  ASSERT_NE(main, nullptr);
  {
    quolin::dde::Client client;
    ASSERT_TRUE(client.Connect("Quolin", "Quolin"));
    EXPECT_EQ(client.Execute("FileOpen(x.tex y.tex)", WaitLimitMs), quolin::dde::drDone);
    EXPECT_EQ(client.Execute("fileopen(z.tex)", WaitLimitMs), quolin::dde::drDone);
    EXPECT_EQ(client.Execute("[CmdLine(\"p\" w.tex)]", WaitLimitMs), quolin::dde::drDone);
  }
  // Macros run in order: once w.tex is there, fileopen has had its turn. "p" stands where the
  // program would: it is no file to open.
  EXPECT_EQ(e2e::WaitForDocumentCount(main, 3), (Lines{"w.tex", "y.tex", "x.tex"}))
      << "nothing for fileopen";
  Close(*first);
}

TEST_F(MainWindowE2E, MacroDuringAStartupMessageRunsAfterStartup) {
  std::string w = File(folder, "w.tex");
  File(folder, "x.tex");
  File(folder, "y.tex");
  // A user who started before, with a data file that is gone.
  StoreSetting("System", "RegSetup", REG_BINARY, std::string(1, '\1'));
  StoreString("System", "CommandFile", folder / "gone.dat");
  StoreString("Files", "WakeupOpenFiles", QuotedNames({w}));

  e2e::QuolinProcess process({"", folder.Path()});
  ASSERT_TRUE(process.Started());
  HWND box = process.WaitForWindow("TMessageForm", "");
  ASSERT_NE(box, nullptr) << "no message about the data file";
  {
    quolin::dde::Client client;
    ASSERT_TRUE(client.Connect("Quolin", "Quolin"));
    EXPECT_EQ(client.Execute("[FileOpen(x.tex)]", WaitLimitMs), quolin::dde::drDone)
        << "answered while the message is up";
    // The program takes executes in order: once the second is answered, the first has been
    // handled.
    EXPECT_EQ(client.Execute("[FileOpen(y.tex)]", WaitLimitMs), quolin::dde::drDone);
  }
  EXPECT_TRUE(IsWindowVisible(box)) << "still starting";
  PostMessageA(box, WM_CLOSE, 0, 0);
  main = process.WaitForWindow("TTopForm", "Quolin");
  ASSERT_NE(main, nullptr);
  // The reopened document first, then the macros'.
  EXPECT_EQ(e2e::WaitForDocumentCount(main, 3), (Lines{"y.tex", "x.tex", "w.tex"}));
  Close(process);
}

TEST_F(MainWindowE2E, ClosingWritesTheDocumentsAndARestartReopensThem) {
  std::string a = File(folder, "a.tex"), b = File(folder, "b.tex"), c = File(folder, "c.tex");
  auto first = Start("a.tex b.tex c.tex", folder.Path());
  ASSERT_NE(main, nullptr);
  ASSERT_EQ(e2e::WaitForDocumentCount(main, 3), (Lines{"c.tex", "b.tex", "a.tex"}));
  Close(*first);
  EXPECT_EQ(Setting("Files", "WakeupOpenFiles"), QuotedNames({a, b, c}));
  EXPECT_EQ(SplitLines(Setting("Files", "RemainFiles")), (Lines{c, b, a}));
  EXPECT_NE(Setting("Forms", "Main").find("Width="), std::string::npos);
  EXPECT_EQ(
      QueryRaw(HKEY_CURRENT_USER, std::string(e2e::SettingsKey) + "\\Forms", "SecPanelWidth").data,
      quolin::test_support::Dword(112));

  first = Start("", elsewhere.Path());
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(e2e::WaitForDocumentCount(main, 3), (Lines{"c.tex", "b.tex", "a.tex"}));
  Close(*first);
  EXPECT_TRUE(SplitLines(Setting("Files", "RemainFiles")) == (Lines{c, b, a}))
      << "reopened files left the list and came back at their place";
}

TEST_F(MainWindowE2E, ReopenListComesBackAsForty) {
  std::string remain;
  Lines expected;
  for (int i = 0; i < 45; ++i) {
    std::string name = "C:\\old\\" + std::to_string(i) + ".tex";
    remain += name + "\r\n";
    if (i < 40)
      expected.push_back(name);
  }
  StoreString("Files", "RemainFiles", remain);
  auto first = Start();
  ASSERT_NE(main, nullptr);
  Close(*first);
  EXPECT_EQ(SplitLines(Setting("Files", "RemainFiles")), expected);
}

} // namespace
