// The main window in the test process for a scratch user, so start-up makes a fresh user;
// message boxes are answered by the dialog hook; the window and its documents go with the test.
#pragma once

#include "QuotedNames.h"
#include "app/DocOps.h"
#include "app/DocUnit.h"
#include "app/TopUnit.h"
#include "app/UserFolders.h"
#include "commands/CommandRouter.h"
#include "commands/SetMenuForm.h"
#include "common/Registry.h"
#include "core/CommandRecords.h"
#include "core/Paths.h"
#include "core/ResConst.h"
#include "support/ScratchCurrentUser.h"
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
  ScratchCurrentUser user;
  TempFolder& appData = user.appData;
  TempFolder files{"Files"};
  uitest::DialogRecorder dialogs;
  CommandRecorder commands;
  TTopForm* top = nullptr;
  TSetMenuForm* menuEditor = nullptr;

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
  // The menu editor made right after the main window, as the program does: it builds the
  // generated toolbars and menus from the main window's lists.
  TSetMenuForm* MakeMenuEditor() {
    if (!top)
      MakeMainWindow();
    menuEditor = Application->CreateForm<TSetMenuForm>("SetMenuForm");
    return menuEditor;
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
    if (menuEditor)
      menuEditor->Free();
    menuEditor = nullptr;
    if (top)
      top->Free();
    top = nullptr;
  }
  // Closes the main window the way the user does, inside the message loop, which it ends.
  void CloseMainWindow() {
    PostMessageA(top->Handle(), WM_CLOSE, 0, 0);
    Application->Run();
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
