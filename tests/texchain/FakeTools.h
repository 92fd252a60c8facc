// The fake tools of the tool-chain tests (faketool/): their programs beside the test, a script
// of the test's own that they follow, and the journal of their runs.
#pragma once

#include "common/TempFolder.h"
#include "support/WaitLimit.h"

#include <windows.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

namespace quolin::test_support {

class FakeTools {
public:
  struct Run {
    std::string role;
    int number = 0;
    std::string commandLine;
    std::string folder;
  };

  // The script lives in folder; the tools this process starts follow it.
  explicit FakeTools(const TempFolder& folder) : script_(folder / "tools.script") {
    Script("");
    SetEnvironmentVariableA(ScriptVariable, script_.c_str());
  }
  ~FakeTools() { SetEnvironmentVariableA(ScriptVariable, nullptr); }
  FakeTools(const FakeTools&) = delete;
  FakeTools& operator=(const FakeTools&) = delete;

  // "tex", "bib" or "idx": the fake of that tool, beside the test.
  static std::string Program(const std::string& role) {
    char self[MAX_PATH] = {};
    std::string path(self, GetModuleFileNameA(nullptr, self, sizeof self));
    return path.substr(0, path.find_last_of('\\') + 1) + "fake" + role + ".exe";
  }

  // Lines as faketool.cpp describes them.
  void Script(const std::string& text) const { TempFolder::WriteFile(script_, text); }

  std::vector<Run> Journal() const {
    std::vector<Run> runs;
    std::istringstream lines(TempFolder::ReadFile(script_ + ".journal"));
    for (std::string line; std::getline(lines, line);) {
      if (!line.empty() && line.back() == '\r')
        line.pop_back();
      std::istringstream fields(line);
      Run run;
      std::string number;
      std::getline(fields, run.role, '\t');
      std::getline(fields, number, '\t');
      std::getline(fields, run.commandLine, '\t');
      std::getline(fields, run.folder);
      run.number = std::atoi(number.c_str());
      runs.push_back(run);
    }
    return runs;
  }
  std::vector<std::string> Roles() const {
    std::vector<std::string> roles;
    for (const Run& run : Journal())
      roles.push_back(run.role);
    return roles;
  }
  // Waits until that many runs began.
  bool WaitForRuns(size_t count) const {
    return WaitUntil([&] { return Journal().size() >= count; });
  }

private:
  static constexpr char ScriptVariable[] = "QUOLIN_FAKE_TOOL_SCRIPT";
  std::string script_;
};

} // namespace quolin::test_support
