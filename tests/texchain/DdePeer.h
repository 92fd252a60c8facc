// The DDE tool of the tool-chain tests (ddepeer/): started by a test with its settings, or
// placed with a settings file for the tool component to start, and its journal.
#pragma once

#include "common/TempFolder.h"
#include "support/WaitLimit.h"

#include <windows.h>

#include <algorithm>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace quolin::test_support {

class DdePeer {
public:
  using Settings = std::map<std::string, std::string>;

  // The settings' journal is a file of folder named after the service.
  DdePeer(const TempFolder& folder, Settings settings) : settings_(std::move(settings)) {
    if (!settings_.count("journal"))
      settings_["journal"] = folder / (settings_["service"] + ".journal");
    if (!settings_.count("topic"))
      settings_["topic"] = settings_["service"];
    if (!settings_.count("title"))
      settings_["title"] = "QuolinPeer" + settings_["service"];
  }
  // One that the test started ends here; one that the tool component started is closed.
  ~DdePeer() {
    if (!process_) {
      Close();
      return;
    }
    TerminateProcess(process_, 0);
    WaitForSingleObject(process_, WaitLimitMs);
    CloseHandle(process_);
  }
  DdePeer(const DdePeer&) = delete;
  DdePeer& operator=(const DdePeer&) = delete;

  static std::string Program(const std::string& name = "ddepeer") {
    char self[MAX_PATH] = {};
    std::string path(self, GetModuleFileNameA(nullptr, self, sizeof self));
    return path.substr(0, path.find_last_of('\\') + 1) + name + ".exe";
  }

  // Starts it with its settings as arguments and waits until its service is registered.
  bool Start() {
    std::string commandLine = "\"" + Program() + "\"";
    for (const auto& [key, value] : settings_)
      commandLine += " \"" + key + "=" + value + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started = {};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &started))
      return false;
    CloseHandle(started.hThread);
    process_ = started.hProcess;
    return WaitUntil([&] { return Journalled("registered"); });
  }
  // A copy of the program (name "ddepeer" or "ddepeer_ver") in folder with its settings file
  // beside it, for the tool component to start: the copy's path.
  std::string Place(const std::string& folder, const std::string& name = "ddepeer") const {
    CreateDirectoryA(folder.c_str(), nullptr);
    std::string copy = folder + name + ".exe";
    CopyFileA(Program(name).c_str(), copy.c_str(), FALSE);
    std::string lines;
    for (const auto& [key, value] : settings_)
      lines += key + "=" + value + "\r\n";
    TempFolder::WriteFile(folder + name + ".ini", lines);
    return copy;
  }

  // Ends it by the system close command to its window, and waits for that.
  bool Close() const {
    HWND window = FindWindowA(nullptr, settings_.at("title").c_str());
    if (!window)
      return false;
    PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    return WaitUntil([&] { return FindWindowA(nullptr, settings_.at("title").c_str()) == nullptr; });
  }
  bool Ended() const { return FindWindowA(nullptr, settings_.at("title").c_str()) == nullptr; }

  std::vector<std::string> Journal() const {
    std::vector<std::string> lines;
    std::istringstream text(TempFolder::ReadFile(settings_.at("journal")));
    for (std::string line; std::getline(text, line);) {
      if (!line.empty() && line.back() == '\r')
        line.pop_back();
      lines.push_back(line);
    }
    return lines;
  }
  bool Journalled(const std::string& line) const {
    auto lines = Journal();
    return std::find(lines.begin(), lines.end(), line) != lines.end();
  }
  // A name as the journal gives it.
  static std::string Lower(std::string name) {
    CharLowerBuffA(name.data(), static_cast<DWORD>(name.size()));
    return name;
  }
  void ClearJournal() const { DeleteFileA(settings_.at("journal").c_str()); }

private:
  Settings settings_;
  HANDLE process_ = nullptr;
};

} // namespace quolin::test_support
