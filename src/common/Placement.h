// The one-string form of a window's placement:
// "Left=…;Top=…;Width=…;Height=…;WindowState=…" (0 normal, 1 minimised, 2 maximised).
// Window-free; the form side is in the forms library.
#pragma once

#include <string>

namespace quolin {

enum class TWindowState { wsNormal, wsMinimized, wsMaximized };

int WindowStateToInt(TWindowState state);
// Any number other than 1 or 2 reads as normal.
TWindowState IntToWindowState(int value);

struct TPlacementValues {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
  TWindowState WindowState = TWindowState::wsNormal;

  bool operator==(const TPlacementValues&) const = default;
};

// A minimised or maximised placement stores only its "WindowState" pair. The caller passes
// wsMinimized for a main form whose application window is iconic.
std::string BuildPlacementText(const TPlacementValues& values);
// Pairs split at ";" only ('"' quotes); names ignore case. Entries that are missing or not
// 32-bit numbers keep the values of current.
TPlacementValues ParsePlacementText(const std::string& text, const TPlacementValues& current);

} // namespace quolin
