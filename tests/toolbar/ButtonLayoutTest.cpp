// Where glyph, caption and arrow sit inside a toolbar button, worked out by hand from the
// margin and spacing rules.
#include "toolbar/ButtonLayout.h"

#include <gtest/gtest.h>

using namespace quolin;

namespace {

// A 16 x 16 glyph and a 20 x 10 caption.
ButtonLayoutInput Input(int width, int height, TButtonLayout layout, int margin, int spacing) {
  return {width, height, 16, 16, 20, 10, layout, margin, spacing};
}

TEST(ButtonLayout, MarginAndSpacingRulesInEachLayout) {
  using enum TButtonLayout;
  // Both -1: a third of the free space each (60 - 36 = 24).
  ButtonLayoutResult both = LayoutButton(Input(60, 20, blGlyphLeft, -1, -1));
  EXPECT_EQ(both.glyph, (DockRect{8, 2, 24, 18}));
  EXPECT_EQ(both.text, (DockRect{32, 5, 52, 15}));
  ButtonLayoutResult right = LayoutButton(Input(60, 20, blGlyphRight, -1, -1));
  EXPECT_EQ(right.glyph.left, 36);
  EXPECT_EQ(right.text.left, 8);
  // Only the spacing -1: what the margin leaves, split evenly.
  ButtonLayoutResult spread = LayoutButton(Input(60, 20, blGlyphLeft, 2, -1));
  EXPECT_EQ(spread.glyph.left, 2);
  EXPECT_EQ(spread.text.left, 29);
  // Both set.
  ButtonLayoutResult fixed = LayoutButton(Input(60, 20, blGlyphRight, 3, 5));
  EXPECT_EQ(fixed.glyph.left, 41);
  EXPECT_EQ(fixed.text.left, 16);
  // Top and bottom: along the height, centred across.
  ButtonLayoutResult top = LayoutButton(Input(40, 50, blGlyphTop, -1, 4));
  EXPECT_EQ(top.glyph, (DockRect{12, 10, 28, 26}));
  EXPECT_EQ(top.text, (DockRect{10, 30, 30, 40}));
  ButtonLayoutResult bottom = LayoutButton(Input(40, 50, blGlyphBottom, -1, 4));
  EXPECT_EQ(bottom.glyph.top, 24);
  EXPECT_EQ(bottom.text.top, 10);
}

TEST(ButtonLayout, CentringRoundsUpAndHalvesTowardsZero) {
  EXPECT_EQ(LayoutButton(Input(61, 20, TButtonLayout::blGlyphLeft, -1, 4)).glyph.left, 11);
  EXPECT_EQ(LayoutButton(Input(60, 20, TButtonLayout::blGlyphLeft, -1, 4)).glyph.left, 10);
  EXPECT_EQ(LayoutButton(Input(30, 20, TButtonLayout::blGlyphLeft, -1, 4)).glyph.left, -4);
  // Without a caption the spacing does not count.
  ButtonLayoutInput glyphOnly = Input(22, 23, TButtonLayout::blGlyphLeft, -1, 4);
  glyphOnly.textWidth = 0;
  EXPECT_EQ(LayoutButton(glyphOnly).glyph, (DockRect{3, 4, 19, 20}));
}

TEST(ButtonLayout, TopLayoutWithoutGlyphAndDisplayModes) {
  ButtonLayoutInput noGlyph = Input(40, 50, TButtonLayout::blGlyphTop, 3, 4);
  noGlyph.glyphWidth = 0;
  ButtonLayoutResult left = LayoutButton(noGlyph);
  EXPECT_EQ(left.text, (DockRect{3, 20, 23, 30})) << "laid out as glyph-left";

  ButtonLayoutInput input = Input(60, 20, TButtonLayout::blGlyphLeft, -1, 4);
  input.displayMode = TButtonDisplayMode::dmGlyphOnly;
  ButtonLayoutResult glyphOnly = LayoutButton(input);
  EXPECT_EQ(glyphOnly.text, DockRect{});
  EXPECT_EQ(glyphOnly.glyph.left, 22);
  input.displayMode = TButtonDisplayMode::dmTextOnly;
  ButtonLayoutResult textOnly = LayoutButton(input);
  EXPECT_EQ(textOnly.glyph, DockRect{});
  EXPECT_EQ(textOnly.text.left, 20);
}

TEST(ButtonLayout, ArrowAreaComboPartAndDownOffset) {
  ButtonLayoutInput input = Input(40, 22, TButtonLayout::blGlyphLeft, -1, 4);
  input.textWidth = 0;
  input.arrowBesideGlyph = true;
  ButtonLayoutResult beside = LayoutButton(input);
  EXPECT_EQ(beside.glyph, (DockRect{8, 3, 24, 19}));
  EXPECT_EQ(beside.arrow, (DockRect{24, 9, 33, 12}));

  input.arrowBesideGlyph = false;
  input.combo = true;
  input.width = 33;
  input.height = 23;
  input.downOffset = 1;
  ButtonLayoutResult combo = LayoutButton(input);
  EXPECT_EQ(combo.arrow, (DockRect{22, 0, 33, 23}));
  EXPECT_EQ(combo.glyph, (DockRect{4, 5, 20, 21})) << "centred in the main part, 1 down";

  EXPECT_EQ(ComboPartWidth(9), 11);
  EXPECT_TRUE(OnArrowPart(22, 33, 9));
  EXPECT_FALSE(OnArrowPart(21, 33, 9));
  auto corners = ArrowTriangle(10, 5);
  EXPECT_EQ(corners[0].x, 8);
  EXPECT_EQ(corners[1].x, 12);
  EXPECT_EQ(corners[2].x, 10);
  EXPECT_EQ(corners[2].y, 7);
}

TEST(ButtonLayout, WrapWidthAndChecker) {
  using enum TButtonLayout;
  EXPECT_EQ(WrapWidth(100, 16, blGlyphLeft, -1, 4), 72);
  EXPECT_EQ(WrapWidth(100, 16, blGlyphRight, -1, -1), 72) << "4 for a spacing of -1";
  EXPECT_EQ(WrapWidth(100, 16, blGlyphLeft, 5, -1), 70);
  EXPECT_EQ(WrapWidth(100, 16, blGlyphTop, 3, 4), 94) << "the glyph is above";
  auto rows = CheckerRows();
  EXPECT_EQ(rows[0], 0xAA);
  EXPECT_EQ(rows[1], 0x55);
  EXPECT_EQ(rows[6], 0xAA);
}

} // namespace
