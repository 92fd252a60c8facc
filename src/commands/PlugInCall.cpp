#include "commands/PlugInCall.h"

#include "app/TopUnit.h"
#include "app/UserFolders.h"
#include "core/CommandExpander.h"
#include "core/Format.h"
#include "core/ResConst.h"
#include "ui/MessageBoxes.h"

#include <windows.h>

#include <memory>
#include <type_traits>
#include <vector>

// Calls fn(a, b, c, d) as stdcall and restores the stack pointer afterwards: a plug-in written
// as cdecl by mistake leaves its arguments on the stack, which would otherwise corrupt this
// frame.
extern "C" int QuolinCallKeepingStack(FARPROC fn, HWND a, const char* b, char* c, int d);
asm(R"(
  .text
  .globl _QuolinCallKeepingStack
_QuolinCallKeepingStack:
  pushl %ebp
  movl %esp, %ebp
  pushl 24(%ebp)
  pushl 20(%ebp)
  pushl 16(%ebp)
  pushl 12(%ebp)
  call *8(%ebp)
  movl %ebp, %esp
  popl %ebp
  ret
)");

namespace quolin {

namespace {

struct LibraryDeleter {
  void operator()(HMODULE library) const { FreeLibrary(library); }
};
using UniqueLibrary = std::unique_ptr<std::remove_pointer_t<HMODULE>, LibraryDeleter>;

} // namespace

bool CallPlugInDll(const std::string& library, const std::string& function,
                   const std::string& input, int bufferSize, std::string& output) {
  UniqueLibrary module(LoadLibraryA((GetPlugInFolder(true) + library).c_str()));
  if (!module) {
    MsgBox(res::PlugInLoadFailed, "WoB");
    return false;
  }
  FARPROC entry = GetProcAddress(module.get(), function.c_str());
  if (!entry) {
    MsgBox(res::PlugInFunctionFailed, "WoB");
    return false;
  }
  const int size = PlugInBufferSize(IntToStr(bufferSize));
  // One byte more than the plug-in is told, always zero: a full buffer still ends.
  std::vector<char> buffer(static_cast<size_t>(size) + 1, '\0');
  HWND mainWindow = TopForm ? TopForm->Handle() : nullptr;
  if (!QuolinCallKeepingStack(entry, mainWindow, input.c_str(), buffer.data(), size))
    return false;
  buffer[static_cast<size_t>(size)] = '\0';
  output = buffer.data();
  return true;
}

} // namespace quolin
