#include "support/ScratchUser.h"

#include <shellapi.h>
#include <shlwapi.h>

#include <stdexcept>

namespace bench {

namespace {

std::string TempFolderPath() {
  char folder[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  CreateDirectoryA(folder, nullptr); // a fresh prefix may lack it
  return folder;
}

} // namespace

ScratchUser::ScratchUser(const std::string& name)
    : key_("Software\\Quolin" + name + std::to_string(GetCurrentProcessId())),
      appData_(TempFolderPath() + "quolin-" + name + "-" + std::to_string(GetCurrentProcessId())) {
  CreateDirectoryA(appData_.c_str(), nullptr);
  if (RegCreateKeyExA(HKEY_CURRENT_USER, key_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                      &handle_, nullptr) != ERROR_SUCCESS)
    throw std::runtime_error("cannot make the scratch user");
  HKEY shell = nullptr;
  RegCreateKeyExA(handle_,
                  "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders", 0,
                  nullptr, 0, KEY_ALL_ACCESS, nullptr, &shell, nullptr);
  RegSetValueExA(shell, "Local AppData", 0, REG_SZ, reinterpret_cast<const BYTE*>(appData_.c_str()),
                 static_cast<DWORD>(appData_.size() + 1));
  RegCloseKey(shell);
  RegOverridePredefKey(HKEY_CURRENT_USER, handle_);
}

ScratchUser::~ScratchUser() {
  RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
  RegCloseKey(handle_);
  SHDeleteKeyA(HKEY_CURRENT_USER, key_.c_str());
  SHFILEOPSTRUCTA remove{};
  std::string from = appData_ + std::string(2, '\0');
  remove.wFunc = FO_DELETE;
  remove.pFrom = from.c_str();
  remove.fFlags = FOF_NO_UI;
  SHFileOperationA(&remove);
}

void PumpMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

} // namespace bench
