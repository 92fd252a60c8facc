// The launcher of host programs: exit codes, arguments as the host program receives them, the
// working folder, and Debian's latex through the launcher's copy named after it.
#include "common/StringHelpers.h"
#include "common/TempFolder.h"
#include "support/WaitLimit.h"
#include "texchain/TexCtrl.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <tuple>
#include <vector>

using namespace quolin::test_support;

namespace {

std::string ProgramFolder() {
  char self[MAX_PATH] = {};
  std::string path(self, GetModuleFileNameA(nullptr, self, sizeof self));
  return path.substr(0, path.find_last_of('\\') + 1);
}

const std::string Launcher = ProgramFolder() + "hostrun.exe";
const std::string Latex = std::string(QUOLIN_HOSTTEX) + "/latex.exe";

// One argument as the Windows rules read it back.
std::string Quoted(const std::string& argument) {
  if (!argument.empty() && argument.find_first_of(" \t\"") == std::string::npos)
    return argument;
  std::string quoted = "\"";
  size_t backslashes = 0;
  for (char ch : argument) {
    if (ch == '\\') {
      ++backslashes;
      continue;
    }
    quoted.append(ch == '"' ? backslashes * 2 + 1 : backslashes, '\\');
    backslashes = 0;
    quoted.push_back(ch);
  }
  return quoted.append(backslashes * 2, '\\') + "\"";
}

// Runs program with the arguments in folder and waits for it: its exit code, -1 when it did
// not start or end.
int Launch(const std::string& program, const std::vector<std::string>& arguments,
           const std::string& folder = "") {
  std::string commandLine = Quoted(program);
  for (const std::string& argument : arguments)
    commandLine.append(1, ' ').append(Quoted(argument));
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started = {};
  if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.empty() ? nullptr : folder.c_str(), &startup, &started))
    return -1;
  DWORD exitCode = static_cast<DWORD>(-1);
  if (WaitForSingleObject(started.hProcess, WaitLimitMs) == WAIT_OBJECT_0)
    GetExitCodeProcess(started.hProcess, &exitCode);
  CloseHandle(started.hThread);
  CloseHandle(started.hProcess);
  return static_cast<int>(exitCode);
}

// Shift-JIS text as the host sees it.
std::string Utf8(const std::string& text) {
  std::wstring wide(text.size(), L'\0');
  wide.resize(
      static_cast<size_t>(MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                              wide.data(), static_cast<int>(wide.size()))));
  std::string utf8(wide.size() * 3, '\0');
  utf8.resize(static_cast<size_t>(
      WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(),
                          static_cast<int>(utf8.size()), nullptr, nullptr)));
  return utf8;
}

class HostRun : public ::testing::Test {
protected:
  TempFolder temp;
};

TEST_F(HostRun, EndsWithTheHostProgramsExitCode) {
  EXPECT_EQ(Launch(Launcher, {"sh", "-c", "exit 0"}), 0);
  EXPECT_EQ(Launch(Launcher, {"sh", "-c", "exit 1"}), 1);
  EXPECT_EQ(Launch(Launcher, {"sh", "-c", "exit 42"}), 42);
}

TEST_F(HostRun, ArgumentsArriveByteForByte) {
  std::string script = temp / "args.sh", journal = temp / "journal.txt";
  TempFolder::WriteFile(script, "out=$1; shift\n"
                                "for a in \"$@\"; do printf '[%s]\\n' \"$a\"; done >\"$out\"\n");
  const std::vector<std::string> passed = {"a b",        "q\"u\"ote",   "$HOME",     "x;touch bad",
                                           "C:relative", "rel\\path\\", "表ソ 日本", ""};
  std::vector<std::string> arguments = {"sh", script, journal};
  arguments.insert(arguments.end(), passed.begin(), passed.end());
  ASSERT_EQ(Launch(Launcher, arguments, temp.Path()), 0);
  std::string expected;
  for (const std::string& argument : passed)
    expected.append(1, '[').append(Utf8(argument)).append("]\n");
  EXPECT_EQ(TempFolder::ReadFile(journal), expected);
  EXPECT_EQ(TempFolder::Names(temp.Path()), (std::vector<std::string>{"args.sh", "journal.txt"}))
      << "no command ran";
}

TEST_F(HostRun, PathsWithADriveAreTheHostsPaths) {
  std::string folder = temp / "表ソ\\";
  CreateDirectoryA(folder.c_str(), nullptr);
  TempFolder::WriteFile(folder + "in.txt", "content");
  std::string script = temp / "copy.sh";
  TempFolder::WriteFile(script, "cat \"$1\" >\"$2\"\n");
  std::string slashed = quolin::ReplaceAll(folder, "\\", "/", true);
  ASSERT_EQ(Launch(Launcher, {"sh", script, folder + "in.txt", slashed + "out.txt"}), 0);
  EXPECT_EQ(TempFolder::ReadFile(folder + "out.txt"), "content");
}

TEST_F(HostRun, RunsInTheWorkingFolder) {
  std::string folder = temp / "作業\\";
  CreateDirectoryA(folder.c_str(), nullptr);
  ASSERT_EQ(Launch(Launcher, {"sh", "-c", "pwd >here.txt"}, folder), 0);
  std::string here = TempFolder::ReadFile(folder + "here.txt");
  EXPECT_TRUE(here.ends_with(std::string("/").append(Utf8("作業")).append("\n"))) << here;
}

TEST_F(HostRun, LatexThroughItsCopy) {
  const std::string documents = QUOLIN_TEX_DOCUMENTS;
  for (const char* name : {"good.tex", "bad.tex"})
    ASSERT_TRUE(CopyFileA((documents + "/" + name).c_str(), (temp / name).c_str(), FALSE));
  EXPECT_EQ(Launch(Latex, {"-interaction=nonstopmode", "good.tex"}, temp.Path()), 0);
  EXPECT_NE(TempFolder::ReadFile(temp / "good.log").find("Output written on good.dvi"),
            std::string::npos);
  EXPECT_EQ(Launch(Latex, {"-interaction=nonstopmode", "bad.tex"}, temp.Path()), 1);
  EXPECT_NE(TempFolder::ReadFile(temp / "bad.log").find("! Undefined control sequence."),
            std::string::npos);
}

TEST_F(HostRun, LatexAsTheToolComponentsTeX) {
  using End = std::tuple<quolin::TModuleType, bool, std::string>;
  quolin::TOwned<quolin::TTexCtrl> ctrl(quolin::TComponent::Create<quolin::TTexCtrl>(nullptr));
  std::vector<End> ends;
  ctrl->OnEndProcess = [&](quolin::TModuleType type, bool succeeded, const std::string& reply) {
    ends.emplace_back(type, succeeded, reply);
  };
  ctrl->Module(quolin::mtTeX).ExeName = Latex;
  ctrl->Module(quolin::mtTeX).DosOption = "-interaction=nonstopmode %longfilename";
  const std::string documents = QUOLIN_TEX_DOCUMENTS;
  for (const char* name : {"good", "bad"}) {
    std::string target = temp / (std::string(name) + ".tex");
    ASSERT_TRUE(CopyFileA((documents + "/" + name + ".tex").c_str(), target.c_str(), FALSE));
    ctrl->TargetFile = target;
    ASSERT_TRUE(ctrl->Execute());
  }
  EXPECT_EQ(ends, (std::vector<End>{{quolin::mtTeX, true, "0"}, {quolin::mtTeX, false, "1"}}));
  EXPECT_NE(TempFolder::ReadFile(temp / "good.log").find("Output written on good.dvi"),
            std::string::npos);
}

} // namespace
