// Short-cuts as menus keep them and hot keys as the hot-key control keeps them: both hold the
// virtual key in the low byte; the modifiers sit in the high byte, as 0x20/0x40/0x80 (Shift,
// Ctrl, Alt) in a short-cut and as 1/2/4 in a hot key.
#pragma once

#include <cstdint>

namespace quolin {

// The hot key of a short-cut.
uint16_t HotKeyFromShortCut(uint16_t shortCut);
// The short-cut of a hot key; the extended-key flag (8) is dropped.
uint16_t ShortCutFromHotKey(uint16_t hotKey);

} // namespace quolin
