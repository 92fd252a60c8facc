// The main window in the test process: HKEY_CURRENT_USER is a scratch key whose local
// application-data folder is a temporary folder, so start-up makes a fresh user; message boxes
// are answered by the dialog hook; the window and its documents go with the test.
#pragma once

#include "QuotedNames.h"
#include "app/DocOps.h"
#include "app/DocUnit.h"
#include "app/TopUnit.h"
#include "app/UserFolders.h"
#include "commands/CommandRecords.h"
#include "commands/CommandRouter.h"
#include "common/Registry.h"
#include "common/RegistryProbe.h"
#include "common/TempFolder.h"
#include "core/Paths.h"
#include "core/ResConst.h"
#include "support/UiTest.h"
#include "ui/Dialogs.h"

#include <gtest/gtest.h>

#include <shlwapi.h>
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace quolin::test_support {

// Watches the command router while it lives: every command it is handed, in order.
class CommandRecorder {
public:
  std::vector<TCommandCall> calls;

  CommandRecorder()
      : previous_(SetCommandWatcher([this](const TCommandCall& call) { calls.push_back(call); })) {}
  ~CommandRecorder() { SetCommandWatcher(std::move(previous_)); }
  CommandRecorder(const CommandRecorder&) = delete;
  CommandRecorder& operator=(const CommandRecorder&) = delete;

  const TCommandCall* Last() const { return calls.empty() ? nullptr : &calls.back(); }

private:
  TCommandWatcher previous_;
};

class MainWindowFixture : public ::testing::Test {
protected:
  static constexpr char SettingsKey[] = "Software\\Dravenlux\\Quolin\\4.2";

  TempFolder appData{"AppData"};
  TempFolder files{"Files"};
  uitest::DialogRecorder dialogs;
  CommandRecorder commands;
  TTopForm* top = nullptr;

  void SetUp() override {
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, scratch_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &scratchKey_, nullptr),
              ERROR_SUCCESS);
    SetRaw(scratchKey_,
           "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders",
           "Local AppData", REG_SZ, appData.Path() + std::string(1, '\0'));
    ASSERT_EQ(RegOverridePredefKey(HKEY_CURRENT_USER, scratchKey_), ERROR_SUCCESS);
  }

  void TearDown() override {
    FreeMainWindow();
    RegSetBase(HKEY_CURRENT_USER, res::RegBasePathDefault);
    RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
    RegCloseKey(scratchKey_);
    SHDeleteKeyA(HKEY_CURRENT_USER, scratch_.c_str());
  }

  // The main window made as the program makes it, with a command line without arguments.
  TTopForm* MakeMainWindow() {
    top = Application->CreateForm<TTopForm>("TopForm");
    top->CommandLine = "\"Quolin.exe\"";
    return top;
  }
  TTopForm* ShowMainWindow() {
    if (!top)
      MakeMainWindow();
    top->Show();
    uitest::Pump();
    return top;
  }
  // Documents first, as the program frees its forms last to first.
  void FreeMainWindow() {
    for (int i = Application->ComponentCount() - 1; i >= 0; --i)
      if (auto* doc = dynamic_cast<TDocForm*>(Application->Components(i)))
        doc->Free();
    if (top)
      top->Free();
    top = nullptr;
  }
  // Closes the main window the way the user does, inside the message loop, which it ends.
  void CloseMainWindow() {
    PostMessageA(top->Handle(), WM_CLOSE, 0, 0);
    Application->Run();
  }

  // Settings of the program before or after the main window ran.
  void Store(const std::string& section, const std::string& name, DWORD type,
             const std::string& data) {
    SetRaw(HKEY_CURRENT_USER, std::string(SettingsKey) + "\\" + section, name, type, data);
  }
  void StoreInteger(const std::string& section, const std::string& name, uint32_t value) {
    Store(section, name, REG_DWORD, Dword(value));
  }
  void StoreBool(const std::string& section, const std::string& name, bool value) {
    Store(section, name, REG_BINARY, std::string(1, value ? '\1' : '\0'));
  }
  void StoreString(const std::string& section, const std::string& name, const std::string& text) {
    Store(section, name, REG_SZ, text + std::string(1, '\0'));
  }
  static std::string StoredString(const std::string& section, const std::string& name) {
    std::string data =
        QueryRaw(HKEY_CURRENT_USER, std::string(SettingsKey) + "\\" + section, name).data;
    return data.substr(0, data.find('\0'));
  }

  // A file of the test's own, made so that it exists.
  std::string File(const std::string& name) const {
    std::string path = files / name;
    TempFolder::WriteFile(path, "\\documentclass{article}\r\n");
    return path;
  }
  // The documents' file names (captions for untitled ones), topmost first.
  static std::vector<std::string> Documents() {
    std::vector<std::string> names;
    for (int i = 0; i < DocCount(); ++i)
      names.push_back(DocAt(i)->FileName.empty() ? DocAt(i)->Caption() : DocAt(i)->FileName);
    return names;
  }

  static std::string MasterLine(int id, const std::string& command,
                                const std::string& listCaption = "", int image = -1) {
    TQuolin_CmdList master;
    master.Id = id;
    master.Command = command;
    master.ListCaption = listCaption;
    master.ImgIndex = image;
    return BuildMasterRecord(master);
  }

private:
  const std::string scratch_ =
      "Software\\QuolinMainWindowTest" + std::to_string(GetCurrentProcessId());
  HKEY scratchKey_ = nullptr;
};

} // namespace quolin::test_support
