// File information of the shell controls: volume labels and file times.
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

} // namespace quolin
