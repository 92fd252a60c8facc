// Device notices of the shell controls: what the device-change window hands to a tree's
// folder watcher, which delivers it after its quiet period.
#pragma once

#include "core/Persistent.h"
#include "shell/ShellIDFunc.h"

#include <windows.h>

#include <string>

namespace quolin {

class TDeviceChangeData : public TObject {
public:
  // The drive's display text.
  std::string Name;
  // The WM_DEVICECHANGE wParam.
  WPARAM Event = 0;
  // 1 media change on a drive, 2 network volume change.
  WORD Kind = 0;
  // The absolute list of the drive's root; nil for a network notice.
  TOwnedIDList IDList;
};

} // namespace quolin
