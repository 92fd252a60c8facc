#include "texchain/ToolUtil.h"

#include "common/IniFile.h"
#include "ui/Application.h"
#include "ui/Dialogs.h"

#include <windows.h>

namespace quolin {

bool WaitWithMessages(unsigned milliseconds) {
  if (milliseconds == 0)
    return true;
  const DWORD start = GetTickCount();
  HANDLE queued = Application->SyncEvent();
  for (;;) {
    Application->ProcessMessages();
    if (Application->Terminated())
      return false;
    DWORD elapsed = GetTickCount() - start;
    if (elapsed >= milliseconds)
      return true;
    MsgWaitForMultipleObjectsEx(1, &queued, milliseconds - elapsed, QS_ALLINPUT,
                                MWMO_INPUTAVAILABLE);
  }
}

void IniReadSection(const std::string& fileName, const std::string& section, TStrings& keys) {
  TIniFile(fileName).ReadSection(section, keys);
}

std::string IniReadString(const std::string& fileName, const std::string& section,
                          const std::string& key, const std::string& defaultValue) {
  return TIniFile(fileName).ReadString(section, key, defaultValue);
}

int IniReadInteger(const std::string& fileName, const std::string& section, const std::string& key,
                   int defaultValue) {
  return TIniFile(fileName).ReadInteger(section, key, defaultValue);
}

void IniWriteInteger(const std::string& fileName, const std::string& section,
                     const std::string& key, int value) {
  TIniFile(fileName).WriteInteger(section, key, value);
}

void PlayDefaultBeep() {
  Beep();
}

} // namespace quolin
