// The main window in the test process with the small dialogs of its words: a modal one is
// driven from a timer of the main window once it is up; every kept dialog goes before the
// main window.
#pragma once

#include "app/MainWindowFixture.h"
#include "settings/DialogFixture.h"
#include "settings/DocInfoUnit.h"
#include "settings/FmtUnit.h"
#include "settings/JumpUnit.h"
#include "settings/TplUnit.h"
#include "ui/Application.h"

#include <functional>
#include <string>

namespace quolin::test_support {

class InfoDialogFixture : public MainWindowFixture {
protected:
  void SetUp() override {
    MainWindowFixture::SetUp();
    ShowMainWindow();
  }
  void TearDown() override {
    FreeAndNil(DocInfoForm);
    FreeAndNil(JumpForm);
    FreeAndNil(TplForm);
    FreeAndNil(FmtForm);
    MainWindowFixture::TearDown();
  }

  // Once the dialog named name is up: acts on it, as a T. The act must close it.
  template <typename T>
  void WhenUp(const std::string& name, std::function<void(T&)> act, bool* reached = nullptr) {
    uitest::Later(top, [name, act, reached] {
      if (!uitest::PumpUntil([&] { return uitest::VisibleForm(name) != nullptr; }))
        return;
      if (reached)
        *reached = true;
      act(static_cast<T&>(*uitest::VisibleForm(name)));
    });
  }

  static bool Run(const std::string& command, int commandId = 0) {
    return ExecuteCommand(nullptr, command, commandId);
  }
  static TEditor& View() { return *ActiveDoc()->ActiveEditor; }

  // A document of that file with count lines "line 1", "line 2"...
  void OpenLines(const std::string& name, int count) {
    std::string text;
    for (int line = 1; line <= count; ++line)
      text += "line " + std::to_string(line) + (line < count ? "\r\n" : "");
    const std::string path = files / name;
    TempFolder::WriteFile(path, text);
    ASSERT_TRUE(OpenDocument(path, "", false, -1, false, true));
  }
};

} // namespace quolin::test_support
