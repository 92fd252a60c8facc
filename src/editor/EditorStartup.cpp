#include "editor/EditorStartup.h"

#include "core/EditorOptions.h"
#include "ui/Application.h"

#include <windows.h>

#include <algorithm>

namespace quolin {

namespace {

constexpr char kBoxFormatName[] = "TEditor Box Type";
constexpr int kLastCursorSlot = 32767;

unsigned boxFormat = 0;
bool started = false;

// Loads a cursor of the program into the next free slot of the screen's table.
TCursor RegisterCursor(const char* resource, int from) {
  int slot = FindFreeCursorSlot(from);
  if (slot < 0)
    return crDefault;
  HCURSOR cursor = LoadCursorA(GetModuleHandleA(nullptr), resource);
  // Without the resource the slot shows the arrow; callers search on behind it.
  Screen->SetCursorHandle(static_cast<TCursor>(slot),
                          cursor ? cursor
                                 : LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)));
  return static_cast<TCursor>(slot);
}

} // namespace

int FindFreeCursorSlot(int first) {
  HCURSOR standard = Screen->CursorHandle(crDefault);
  for (int slot = std::max(first, 1); slot <= kLastCursorSlot; ++slot) {
    if (Screen->CursorHandle(static_cast<TCursor>(slot)) == standard)
      return slot;
  }
  return -1;
}

unsigned BoxClipboardFormat() {
  if (boxFormat == 0)
    boxFormat = RegisterClipboardFormatA(kBoxFormatName);
  return boxFormat;
}

void EditorUnitStartup() {
  if (started)
    return;
  started = true;
  BoxClipboardFormat();
  EditorCursorNumbers& cursors = RegisteredEditorCursors();
  cursors.leftMargin = RegisterCursor("RightArrow", 1);
  cursors.dragSelCopy = RegisterCursor("DragSelCopy", cursors.leftMargin + 1);
}

} // namespace quolin
