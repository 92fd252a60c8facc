#include "ui/Clipboard.h"

#include "ui/Application.h"

#include <windows.h>

#include <shellapi.h>

#include <cstring>
#include <vector>

namespace quolin {

namespace {

// Another program may hold the clipboard for a moment.
bool OpenClipboardSoon() {
  for (int attempt = 0; attempt < 10; ++attempt) {
    if (OpenClipboard(Application->Handle()))
      return true;
    Sleep(10);
  }
  return false;
}

} // namespace

bool SetClipboardText(const std::string& text) {
  return !text.empty() && PutClipboardText(text);
}

bool PutClipboardText(const std::string& text, std::initializer_list<unsigned> alsoAs) {
  if (!OpenClipboardSoon())
    return false;
  bool done = EmptyClipboard();
  std::vector<unsigned> formats{CF_TEXT};
  formats.insert(formats.end(), alsoAs);
  for (unsigned format : formats) {
    HGLOBAL memory = done ? GlobalAlloc(GMEM_MOVEABLE, text.size() + 1) : nullptr;
    if (!memory) {
      done = false;
      break;
    }
    std::memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
    GlobalUnlock(memory);
    if (!SetClipboardData(format, memory)) {
      GlobalFree(memory);
      done = false;
    }
  }
  CloseClipboard();
  return done;
}

std::string GetClipboardText() {
  if (!IsClipboardFormatAvailable(CF_TEXT) || !OpenClipboardSoon())
    return {};
  std::string text;
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    if (const void* bytes = GlobalLock(data)) {
      // Another program's block may lack its terminating zero.
      size_t size = GlobalSize(data);
      text.assign(static_cast<const char*>(bytes), strnlen(static_cast<const char*>(bytes), size));
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

std::vector<std::string> GetClipboardFileNames() {
  std::vector<std::string> names;
  if (!IsClipboardFormatAvailable(CF_HDROP) || !OpenClipboardSoon())
    return names;
  // The handle is the clipboard's: read it, never DragFinish it.
  if (auto drop = static_cast<HDROP>(GetClipboardData(CF_HDROP))) {
    UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
      std::string name(DragQueryFileA(drop, i, nullptr, 0), '\0');
      if (!name.empty() && DragQueryFileA(drop, i, name.data(), static_cast<UINT>(name.size() + 1)))
        names.push_back(name);
    }
  }
  CloseClipboard();
  return names;
}

} // namespace quolin
