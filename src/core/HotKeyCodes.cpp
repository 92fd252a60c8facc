#include "core/HotKeyCodes.h"

namespace quolin {

namespace {

struct TModifierBits {
  uint16_t shortCut;
  uint16_t hotKey; // already in the high byte
};

constexpr TModifierBits kModifiers[] = {
    {0x2000, 0x0100}, // Shift
    {0x4000, 0x0200}, // Ctrl
    {0x8000, 0x0400}, // Alt
};

} // namespace

uint16_t HotKeyFromShortCut(uint16_t shortCut) {
  uint16_t hotKey = shortCut & 0xFF;
  for (const TModifierBits& bits : kModifiers)
    if (shortCut & bits.shortCut)
      hotKey |= bits.hotKey;
  return hotKey;
}

uint16_t ShortCutFromHotKey(uint16_t hotKey) {
  uint16_t shortCut = hotKey & 0xFF;
  for (const TModifierBits& bits : kModifiers)
    if (hotKey & bits.hotKey)
      shortCut |= bits.shortCut;
  return shortCut;
}

} // namespace quolin
