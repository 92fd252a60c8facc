// The editor tests started again as a second process: a test runs its own executable with a
// mode and an argument, and the mode's function runs instead of the tests and gives the exit
// code.
#pragma once

#include "support/WaitLimit.h"

#include <windows.h>

#include <string>

namespace editortest {

using SecondProcessMain = int (*)(const std::string& argument);

// Registers a mode (a static object of the test file that serves it).
struct SecondProcessMode {
  SecondProcessMode(const char* name, SecondProcessMain main);
};

// Runs this executable in mode with argument and waits for it; its exit code, or
// STILL_ACTIVE when it did not end in time (it is then ended).
DWORD RunSecondProcess(const char* mode, const std::string& argument,
                       DWORD timeoutMs = quolin::test_support::WaitLimitMs);

// For main: runs the mode named by the command line; false when it names none.
bool RunRequestedMode(int argc, char** argv, int& exitCode);

} // namespace editortest
