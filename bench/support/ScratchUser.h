// What the benchmarks that make the program's main window in their own process need.
#pragma once

#include <windows.h>

#include <string>

namespace bench {

// A user of the run's own: HKEY_CURRENT_USER of this process is a scratch key and the
// application-data folder a temporary one, so the main window starts as for a new user and
// leaves nothing behind.
class ScratchUser {
public:
  // name tells apart the scratch keys and folders of different programs.
  explicit ScratchUser(const std::string& name);
  ~ScratchUser();
  ScratchUser(const ScratchUser&) = delete;
  ScratchUser& operator=(const ScratchUser&) = delete;

private:
  std::string key_, appData_;
  HKEY handle_ = nullptr;
};

// Dispatches the thread's waiting messages.
void PumpMessages();

} // namespace bench
