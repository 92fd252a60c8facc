// Device notices of the shell controls: the hidden window that turns the system's volume
// broadcasts into notices for the registered controls; a tree hands its copy to its folder
// watcher, which delivers it after its quiet period.
#pragma once

#include "core/Persistent.h"
#include "shell/ShellIDFunc.h"

#include <windows.h>

#include <string>
#include <vector>

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

// A control that hears of volumes coming and going.
class TShellDeviceClient {
public:
  virtual void DeviceChange(const TDeviceChangeData& notice) = 0;

protected:
  ~TShellDeviceClient() = default;
};

// The registered controls and their device window, which lives from the first registration
// to the last. It is a hidden top-level window: a message-only window hears no broadcast.
class TShellCtrlList {
public:
  TShellCtrlList() = default;
  ~TShellCtrlList();
  TShellCtrlList(const TShellCtrlList&) = delete;
  TShellCtrlList& operator=(const TShellCtrlList&) = delete;

  void Add(TShellDeviceClient* client);
  void Remove(TShellDeviceClient* client);
  int Count() const { return static_cast<int>(clients_.size()); }
  // Nil while no control is registered.
  HWND Window() const { return window_; }

  // A WM_DEVICECHANGE of the window: a volume's arrival or removal goes to every control.
  void DeviceChange(WPARAM event, LPARAM data);

private:
  void Notify(const TDeviceChangeData& notice);

  std::vector<TShellDeviceClient*> clients_;
  HWND window_ = nullptr;
};

// The program's list, made by the shell unit's start-up; nil before and after.
TShellCtrlList* ShellCtrlList();
// For the shell unit's start-up and end.
void CreateShellCtrlList();
void FreeShellCtrlList();

} // namespace quolin
