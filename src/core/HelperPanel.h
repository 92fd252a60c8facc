// The input-assistance panel's place at the caret, and the master that a typed text becomes.
// Window-free.
#pragma once

#include "core/CommandRecords.h"

#include <optional>
#include <string_view>

namespace quolin {

struct THelperPlacement {
  int Left = 0;
  int Top = 0;
  // Above the caret row: the grid stands on top and the entry below it.
  bool GridOnTop = false;
};

// caretX, caretY: the top left of the caret cell in the window's client area.
THelperPlacement PlaceHelperPanel(int caretX, int caretY, int rowHeight, int panelWidth,
                                  int panelHeight, int clientWidth, int clientHeight);

// The category of masters added from the input-assistance list.
inline constexpr int HelperCommandType = 13;
// The master for a typed text of at least 3 characters (a double-byte one counts one): its
// keyword the trimmed text without one leading backslash, its command what the text inserts.
std::optional<TQuolin_CmdList> NewHelperMaster(std::string_view typed, int id);

} // namespace quolin
