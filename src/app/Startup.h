// The program's start: one instance per user logon. A second start hands its command line to
// the running instance over DDE and ends; the first keeps the instance mutex until it ends.
#pragma once

#include "ui/dde.h"

#include <windows.h>

#include <string>

namespace quolin {

class TSpForm;

// The named mutex that marks the running instance, held (never owned) by the first instance
// until the process ends, and closed, not released, then.
class TInstanceMutex {
public:
  TInstanceMutex() = default;
  ~TInstanceMutex();
  TInstanceMutex(const TInstanceMutex&) = delete;
  TInstanceMutex& operator=(const TInstanceMutex&) = delete;

  // True when this process now holds the mutex: no other instance runs. Otherwise no
  // handle is kept, so that the mutex goes with the running instance.
  bool Claim();
  bool Held() const { return handle_ != nullptr; }

private:
  HANDLE handle_ = nullptr;
};

// A macro for service and topic name, waiting 5 s for the acknowledgement.
dde::TDdeResult ExecuteDdeMacro(const std::string& name, const std::string& macro);
// ExecuteDdeMacro to "Quolin".
dde::TDdeResult SendCommandLineByDde(const std::string& macro);

enum TStartRole : int {
  srFirst,     // this process holds the mutex and goes on as the running instance
  srHandedOff, // the running instance took the command line
  srGaveUp     // nobody took it in time
};

// For a start that found the mutex taken: sends "CmdLine(<command line>)" to the running
// instance. While that does not serve yet (it is starting, or ending), tries again every
// 100 ms for up to patienceMs, and goes on as first instance as soon as the mutex is free.
TStartRole HandOffCommandLine(const std::string& commandLine, TInstanceMutex& mutex,
                              DWORD patienceMs = 10000);

// The command line of this process with its file arguments made full paths, taken when
// first asked for (the main block asks first, before anything changes the current folder).
const std::string& StartCommandLine();

// The first steps of the main window's creation: the settings root, the user folders, the
// "System" settings, the splash window shown and painted, and the first-run import while it
// is up. The splash closes itself once its timer, started by the main window, ticks.
TSpForm* BeginStartup();

// The main block: a second start hands its command line over and ends; the first runs the
// main window until it closes. Gives the process's exit code.
int RunQuolin();

} // namespace quolin
