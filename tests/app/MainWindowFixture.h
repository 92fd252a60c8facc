// The main window in the test process for a scratch user, so start-up makes a fresh user;
// message boxes are answered by the dialog hook; the window and its documents go with the test.
#pragma once

#include "QuotedNames.h"
#include "ScratchUser.h"
#include "app/DocOps.h"
#include "app/DocUnit.h"
#include "app/TopUnit.h"
#include "app/UserFolders.h"
#include "commands/CommandRouter.h"
#include "common/Registry.h"
#include "core/CommandRecords.h"
#include "core/Paths.h"
#include "core/ResConst.h"
#include "support/UiTest.h"
#include "ui/Dialogs.h"

#include <gtest/gtest.h>

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

  ScratchUser user{"MainWindowTest"};
  TempFolder& appData = user.appData;
  TempFolder files{"Files"};
  uitest::DialogRecorder dialogs;
  CommandRecorder commands;
  TTopForm* top = nullptr;

  void TearDown() override {
    FreeMainWindow();
    RegSetBase(HKEY_CURRENT_USER, res::RegBasePathDefault);
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
  static void Store(const std::string& section, const std::string& name, const RawValue& value) {
    SetRaw(HKEY_CURRENT_USER, std::string(SettingsKey) + "\\" + section, name, value);
  }
  static RawValue Stored(const std::string& section, const std::string& name) {
    return QueryRaw(HKEY_CURRENT_USER, std::string(SettingsKey) + "\\" + section, name);
  }
  static std::string StoredString(const std::string& section, const std::string& name) {
    std::string data = Stored(section, name).data;
    return data.substr(0, data.find('\0'));
  }

  // A file of the test's own, made so that it exists.
  std::string File(const std::string& name) const {
    std::string path = files / name;
    std::string text = "\\documentclass{article}\r\n";
    for (int line = 2; line <= 12; ++line)
      text += "line " + std::to_string(line) + "\r\n";
    TempFolder::WriteFile(path, text);
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
};

} // namespace quolin::test_support
