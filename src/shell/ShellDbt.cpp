#include "shell/ShellDbt.h"

#include "shell/ShellUtils.h"
#include "ui/Application.h"

#include <dbt.h>

#include <algorithm>
#include <memory>

namespace quolin {

namespace {

constexpr char kWindowClass[] = "TQuolinShellDeviceWindow";
constexpr WORD kMediaKind = 1;
constexpr WORD kNetworkKind = 2;

std::unique_ptr<TShellCtrlList> controls;

LRESULT CALLBACK DeviceWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DEVICECHANGE && controls &&
      (wParam == DBT_DEVICEARRIVAL || wParam == DBT_DEVICEREMOVECOMPLETE))
    Guard(nullptr, [&] { controls->DeviceChange(wParam, lParam); });
  return DefWindowProcA(window, message, wParam, lParam);
}

// "A" for bit 0; "" without a bit.
std::string LowestDrive(DWORD unitMask) {
  for (int bit = 0; bit < 26; ++bit) {
    if (unitMask & (1u << bit))
      return std::string(1, static_cast<char>('A' + bit)) + ":";
  }
  return "";
}

} // namespace

TShellCtrlList::~TShellCtrlList() {
  if (window_)
    DestroyWindow(window_);
}

void TShellCtrlList::Add(TShellDeviceClient* client) {
  if (std::find(clients_.begin(), clients_.end(), client) != clients_.end())
    return;
  clients_.push_back(client);
  if (!window_)
    window_ = CreateHiddenWindow(kWindowClass, DeviceWindowProcedure);
}

void TShellCtrlList::Remove(TShellDeviceClient* client) {
  std::erase(clients_, client);
  if (clients_.empty() && window_)
    DestroyWindow(std::exchange(window_, nullptr));
}

void TShellCtrlList::DeviceChange(WPARAM event, LPARAM data) {
  const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(data);
  if (!header || header->dbch_devicetype != DBT_DEVTYP_VOLUME)
    return;
  const auto* volume = reinterpret_cast<const DEV_BROADCAST_VOLUME*>(header);
  TDeviceChangeData notice;
  notice.Event = event;
  if (volume->dbcv_flags & DBTF_MEDIA) {
    std::string drive = LowestDrive(volume->dbcv_unitmask);
    if (drive.empty())
      return;
    std::string root = drive + "\\";
    notice.Kind = kMediaKind;
    PathToIDList(root, notice.IDList.Out());
    notice.Name = " (" + drive + ")";
    if (event == DBT_DEVICEARRIVAL)
      notice.Name = GetVolumeLabel(root) + notice.Name;
  } else if (volume->dbcv_flags & DBTF_NET) {
    notice.Kind = kNetworkKind;
  } else {
    return;
  }
  Notify(notice);
}

// A control may leave while it is told: the list is copied, and one that left is skipped.
void TShellCtrlList::Notify(const TDeviceChangeData& notice) {
  const std::vector<TShellDeviceClient*> clients = clients_;
  for (TShellDeviceClient* client : clients) {
    if (std::find(clients_.begin(), clients_.end(), client) != clients_.end())
      Guard(nullptr, [&] { client->DeviceChange(notice); });
  }
}

TShellCtrlList* ShellCtrlList() {
  return controls.get();
}

void CreateShellCtrlList() {
  controls = std::make_unique<TShellCtrlList>();
}

void FreeShellCtrlList() {
  controls.reset();
}

} // namespace quolin
