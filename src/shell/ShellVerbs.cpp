#include "shell/ShellVerbs.h"

#include "common/CodePage.h"

#include <cstring>
#include <vector>

namespace quolin {

// The buffers are zero-filled and end in 0 after the call: a handler may fill them without a
// terminator.
std::optional<std::string> ReadShellVerb(IContextMenu* menu, UINT offset) {
  if (!menu)
    return std::nullopt;
  std::vector<char> ansi(ShellVerbBufferSize, '\0');
  if (SUCCEEDED(menu->GetCommandString(offset, GCS_VERBA, nullptr, ansi.data(),
                                       ShellVerbBufferSize))) {
    ansi.back() = '\0';
    if (ansi.front())
      return std::string(ansi.data());
  }
  std::vector<wchar_t> wide(ShellVerbBufferSize, L'\0');
  if (SUCCEEDED(menu->GetCommandString(offset, GCS_VERBW, nullptr,
                                       reinterpret_cast<char*>(wide.data()),
                                       ShellVerbBufferSize))) {
    wide.back() = L'\0';
    if (wide.front())
      return WideToAnsi(wide.data());
  }
  return std::nullopt;
}

static_assert(sizeof(CMINVOKECOMMANDINFO) == 36, "the shell reads the structure by its size");

int RunShellCommand(IContextMenu* menu, HWND owner, UINT offset) {
  const int code = ShellCommandCode(ReadShellVerb(menu, offset), offset);
  if (code == shcRename)
    return code;
  CMINVOKECOMMANDINFO invoke{};
  invoke.cbSize = sizeof invoke;
  invoke.hwnd = owner;
  invoke.lpVerb = MAKEINTRESOURCEA(offset);
  invoke.nShow = SW_SHOWNORMAL;
  return SUCCEEDED(menu->InvokeCommand(&invoke)) ? code : shcNone;
}

} // namespace quolin
