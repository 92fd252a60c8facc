// A stand-in for TeX, BibTeX and MakeIndex in the tool-chain tests: a real Windows program
// that does what a script tells it. Its copies faketex.exe, fakebib.exe and fakeidx.exe take
// their role ("tex", "bib", "idx") from their own name.
//
// The script is the file named by the environment variable QUOLIN_FAKE_TOOL_SCRIPT; each run
// is journalled in that name with ".journal" appended, one line per run:
//   role TAB run number TAB raw command line TAB working folder
// Script lines (others are ignored) say what the run of a role does, run counted from 1 by
// the journal, "*" for every run; actions act on the target (the last argument) with its
// extension replaced:
//   <role> <run> exit <code>          exit code (0 without one)
//   <role> <run> delay <ms>           wait before acting
//   <role> <run> wait <ext>           wait until that file is there (or the script is gone)
//   <role> <run> delete <ext>
//   <role> <run> write <ext>          the lines below that begin with ">" ("> text"), CR LF
//   <role> <run> copy <ext> <file>    a copy of the file
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr wchar_t ScriptVariable[] = L"QUOLIN_FAKE_TOOL_SCRIPT";
constexpr int NoScriptExitCode = 99;
constexpr DWORD PollMs = 20;

// Read wide: Wine's ANSI form cuts a value with double-byte characters short.
std::string EnvironmentValue(const wchar_t* name) {
  wchar_t value[MAX_PATH * 2] = {};
  DWORD length = GetEnvironmentVariableW(name, value, MAX_PATH * 2);
  if (length == 0 || length >= MAX_PATH * 2)
    return {};
  char ansi[MAX_PATH * 4] = {};
  int bytes = WideCharToMultiByte(CP_ACP, 0, value, static_cast<int>(length), ansi, sizeof ansi,
                                  nullptr, nullptr);
  return std::string(ansi, static_cast<size_t>(bytes));
}

std::vector<std::string> ReadLines(const std::string& fileName) {
  std::vector<std::string> lines;
  std::ifstream file(fileName, std::ios::binary);
  for (std::string line; std::getline(file, line);) {
    if (!line.empty() && line.back() == '\r')
      line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

// Position just past the last "\", "/" or ":" of a Shift-JIS path, stepping over double bytes.
size_t NameStart(const std::string& path) {
  size_t start = 0;
  for (size_t i = 0; i < path.size(); ++i) {
    if (IsDBCSLeadByte(static_cast<BYTE>(path[i]))) {
      ++i;
      continue;
    }
    if (path[i] == '\\' || path[i] == '/' || path[i] == ':')
      start = i + 1;
  }
  return start;
}

std::string WithoutExtension(const std::string& path) {
  size_t dot = path.rfind('.');
  return dot != std::string::npos && dot >= NameStart(path) ? path.substr(0, dot) : path;
}

std::string Role() {
  char self[MAX_PATH] = {};
  std::string path(self, GetModuleFileNameA(nullptr, self, sizeof self));
  std::string name = WithoutExtension(path.substr(NameStart(path)));
  CharLowerA(name.data());
  return name.starts_with("fake") ? name.substr(4) : name;
}

int RunNumber(const std::string& journal, const std::string& role) {
  int runs = 1;
  for (const std::string& line : ReadLines(journal))
    if (line.starts_with(role + "\t"))
      ++runs;
  return runs;
}

void Journal(const std::string& journal, const std::string& role, int run) {
  char folder[MAX_PATH * 2] = {};
  GetCurrentDirectoryA(sizeof folder, folder);
  std::ofstream file(journal, std::ios::binary | std::ios::app);
  file << role << '\t' << run << '\t' << GetCommandLineA() << '\t' << folder << "\r\n";
}

struct Run {
  std::string script;
  std::string role;
  int number;
  std::string base; // the target without its extension
  int exitCode = 0;
};

bool Exists(const std::string& fileName) {
  return GetFileAttributesA(fileName.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool Applies(const std::string& who, const std::string& when, const Run& run) {
  return who == run.role && (when == "*" || when == std::to_string(run.number));
}

void Act(const std::vector<std::string>& script, Run& run) {
  for (size_t i = 0; i < script.size(); ++i) {
    std::istringstream words(script[i]);
    std::string who, when, action, argument;
    words >> who >> when >> action >> argument;
    if (!Applies(who, when, run))
      continue;
    if (action == "exit") {
      run.exitCode = std::stoi(argument);
    } else if (action == "delay") {
      Sleep(static_cast<DWORD>(std::stoul(argument)));
    } else if (action == "wait") {
      while (!Exists(run.base + argument) && Exists(run.script))
        Sleep(PollMs);
    } else if (action == "delete") {
      DeleteFileA((run.base + argument).c_str());
    } else if (action == "copy") {
      std::string source;
      std::getline(words >> std::ws, source);
      CopyFileA(source.c_str(), (run.base + argument).c_str(), FALSE);
    } else if (action == "write") {
      std::ofstream file(run.base + argument, std::ios::binary | std::ios::trunc);
      for (size_t next = i + 1; next < script.size() && script[next].starts_with(">"); ++next) {
        std::string text = script[next].substr(1);
        file << (text.starts_with(" ") ? text.substr(1) : text) << "\r\n";
      }
    }
  }
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  const std::string script = EnvironmentValue(ScriptVariable);
  if (script.empty() || __argc < 2)
    return NoScriptExitCode;
  const std::string journal = script + ".journal";
  Run run{script, Role(), 0, WithoutExtension(__argv[__argc - 1])};
  run.number = RunNumber(journal, run.role);
  Journal(journal, run.role, run.number);
  Act(ReadLines(script), run);
  return run.exitCode;
}
