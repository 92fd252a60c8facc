// The program's main window in the benchmark's own process, for the programs that time it.
#pragma once

#include "app/TopUnit.h"
#include "support/BenchMain.h"
#include "support/ScratchUser.h"
#include "ui/Application.h"
#include "ui/Dialogs.h"

#include <string>

namespace bench {

// BenchMain with body run in the main window, shown as the program does for a new user (the
// scratch user userName) and freed after it. A message box counts as a failed check, since no
// one answers it.
inline int MainWindowBenchMain(const std::string& userName, bool smoke, const std::string& title,
                               const BenchBody& body) {
  return BenchMain(smoke, title, [&](BenchTable& table, Checks& checks) {
    using namespace quolin;
    SetDialogHook({[&](const std::string& text, TMsgDlgType, TMsgDlgButtons) {
                     checks.Expect(false, "no message box, but: " + text);
                     return mrOk;
                   },
                   [] {}});
    ScratchUser user(userName);
    TTopForm* top = Application->CreateForm<TTopForm>("TopForm");
    top->CommandLine = "\"Quolin.exe\"";
    top->Show();
    PumpMessages();
    body(table, checks);
    top->Free();
  });
}

} // namespace bench
