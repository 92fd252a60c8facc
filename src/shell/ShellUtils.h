// File information of the shell controls: volume labels and file times; their hidden windows.
#pragma once

#include "common/DateTime.h"

#include <windows.h>

#include <string>

namespace quolin {

// The label of the volume at root ("C:\"), lower case but for its first letter: "DATA DISK"
// gives "Data disk". "" when the volume cannot be read; an empty drive shows no system dialog.
std::string GetVolumeLabel(const std::string& root);

// The local date-time of a file time; 0 only for the zero file time.
TDateTime FileTimeToDateTime(const FILETIME& time);

// A hidden top-level window of the class (registered on first use with procedure): a
// message-only window hears no broadcast. Nil when it cannot be made.
HWND CreateHiddenWindow(const char* className, WNDPROC procedure);

} // namespace quolin
