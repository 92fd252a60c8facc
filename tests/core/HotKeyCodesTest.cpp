#include "core/HotKeyCodes.h"

#include <gtest/gtest.h>

using namespace quolin;

namespace {

struct CodePair {
  uint16_t shortCut;
  uint16_t hotKey;
};

// Ctrl+S, Shift+F3, Alt+Ctrl+Shift+A, a bare F5, Alt+N and nothing.
constexpr CodePair kPairs[] = {{0x4053, 0x0253}, {0x2072, 0x0172}, {0xE041, 0x0741},
                               {0x0074, 0x0074}, {0x804E, 0x044E}, {0x0000, 0x0000}};

TEST(HotKeyCodes, ShortCutsAndHotKeysConvertBothWays) {
  for (const CodePair& pair : kPairs) {
    EXPECT_EQ(HotKeyFromShortCut(pair.shortCut), pair.hotKey) << std::hex << pair.shortCut;
    EXPECT_EQ(ShortCutFromHotKey(pair.hotKey), pair.shortCut) << std::hex << pair.hotKey;
  }
}

TEST(HotKeyCodes, TheExtendedKeyFlagIsDropped) {
  EXPECT_EQ(ShortCutFromHotKey(0x0800 | 0x0253), 0x4053);
  EXPECT_EQ(ShortCutFromHotKey(0x0824), 0x0024) << "Home on the extended keys";
}

} // namespace
