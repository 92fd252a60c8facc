// The window-free geometry of the toolbar button: where glyph, caption and drop-down arrow sit
// inside the button, the width a wrapped caption is measured in, the separate arrow part of a
// combo button and the 8 x 8 checker that fills the face of a button held down.
//
// Coordinates are the button's client coordinates; the main part is the whole button less the
// combo part (arrow width + 2 pixels at the right) of a combo button.
#pragma once

#include "core/DockGeometry.h"

#include <array>
#include <cstdint>

namespace quolin {

enum class TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
enum class TButtonDisplayMode { dmBoth, dmGlyphOnly, dmTextOnly };

inline constexpr int MinDropdownArrowWidth = 7;
// The drawn arrow: a filled triangle this wide and high.
inline constexpr int ArrowTriangleWidth = 5;
inline constexpr int ArrowTriangleHeight = 3;

struct ButtonLayoutInput {
  int width = 0; // the whole button
  int height = 0;
  int glyphWidth = 0; // 0 without a glyph
  int glyphHeight = 0;
  int textWidth = 0; // the caption's extent; 0 without one
  int textHeight = 0;
  TButtonLayout layout = TButtonLayout::blGlyphLeft;
  int margin = -1;
  int spacing = 4;
  TButtonDisplayMode displayMode = TButtonDisplayMode::dmBoth;
  // A non-combo drop-down button that draws its arrow: an area beside the glyph.
  bool arrowBesideGlyph = false;
  bool combo = false;
  int arrowWidth = 9;
  // 1 for the down look, else 0.
  int downOffset = 0;
};

struct ButtonLayoutResult {
  DockRect glyph; // empty when no glyph is drawn
  DockRect text;  // empty when no caption is drawn
  DockRect arrow; // the arrow area beside the glyph, or the combo part; empty otherwise
};

// Where glyph, caption and arrow go (the caption's extent measured beforehand).
ButtonLayoutResult LayoutButton(const ButtonLayoutInput& input);

// The width a word-wrapped caption is measured in.
int WrapWidth(int width, int glyphWidth, TButtonLayout layout, int margin, int spacing);

// The width of a combo button's arrow part.
int ComboPartWidth(int arrowWidth);
// A press at x lies on a combo button's arrow part.
bool OnArrowPart(int x, int width, int arrowWidth);

// The three corners of the arrow triangle whose top line is centred on x at y.
std::array<DockPoint, 3> ArrowTriangle(int centreX, int top);

// The checker: a pixel shows the highlight colour where x and y have the same parity, the
// face colour elsewhere. Rows of the 8 x 8 pattern, bit 7 - x set for highlight pixels.
bool CheckerHighlight(int x, int y);
std::array<uint8_t, 8> CheckerRows();

} // namespace quolin
