#include "shell/ShellUtils.h"

#include "core/Sjis.h"

namespace quolin {

namespace {

constexpr DWORD kVolumeLabelSize = 65;

// Critical errors (no disk in the drive) fail the call instead of asking the user.
class TQuietErrorMode {
public:
  TQuietErrorMode() : previous_(SetErrorMode(SEM_FAILCRITICALERRORS)) {}
  ~TQuietErrorMode() { SetErrorMode(previous_); }
  TQuietErrorMode(const TQuietErrorMode&) = delete;
  TQuietErrorMode& operator=(const TQuietErrorMode&) = delete;

private:
  UINT previous_;
};

} // namespace

std::string GetVolumeLabel(const std::string& root) {
  char label[kVolumeLabelSize] = {};
  {
    TQuietErrorMode quiet;
    if (!GetVolumeInformationA(root.c_str(), label, kVolumeLabelSize, nullptr, nullptr, nullptr,
                               nullptr, 0))
      return "";
  }
  std::string text = sjis::LowerAscii(label);
  // A lower-case ASCII byte is never the first byte of a double-byte character.
  if (!text.empty() && text[0] >= 'a' && text[0] <= 'z')
    text[0] = static_cast<char>(text[0] - 'a' + 'A');
  return text;
}

TDateTime FileTimeToDateTime(const FILETIME& time) {
  if (time.dwLowDateTime == 0 && time.dwHighDateTime == 0)
    return 0;
  FILETIME local;
  SYSTEMTIME system;
  if (!FileTimeToLocalFileTime(&time, &local) || !FileTimeToSystemTime(&local, &system))
    return 0;
  return SystemTimeToDateTime(system);
}

HWND CreateHiddenWindow(const char* className, WNDPROC procedure) {
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  if (!GetClassInfoExA(instance, className, &windowClass)) {
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = className;
    if (!RegisterClassExA(&windowClass))
      return nullptr;
  }
  return CreateWindowExA(0, className, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance,
                         nullptr);
}

} // namespace quolin
