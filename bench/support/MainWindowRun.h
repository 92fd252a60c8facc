// The program's main window in the benchmark's own process, for the programs that time it.
#pragma once

#include "app/TopUnit.h"
#include "support/BenchChecks.h"
#include "support/ScratchUser.h"
#include "ui/Application.h"
#include "ui/Dialogs.h"

#include <cstdio>
#include <exception>
#include <functional>
#include <string>

namespace bench {

// Shows the main window as the program does for a new user (the scratch user userName), runs
// body, then frees the window. A message box counts as a failed check, since no one answers it;
// false when something threw (printed).
inline bool RunInMainWindow(const std::string& userName, Checks& checks,
                            const std::function<void()>& body) {
  using namespace quolin;
  SetDialogHook({[&](const std::string& text, TMsgDlgType, TMsgDlgButtons) {
                   checks.Expect(false, "no message box, but: " + text);
                   return mrOk;
                 },
                 [] {}});
  try {
    ScratchUser user(userName);
    TTopForm* top = Application->CreateForm<TTopForm>("TopForm");
    top->CommandLine = "\"Quolin.exe\"";
    top->Show();
    PumpMessages();
    body();
    top->Free();
  } catch (const std::exception& error) {
    std::printf("FAILED: %s\n", error.what());
    return false;
  }
  return true;
}

} // namespace bench
