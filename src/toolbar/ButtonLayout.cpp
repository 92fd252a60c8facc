#include "toolbar/ButtonLayout.h"

#include <algorithm>

namespace quolin {

namespace {

bool Horizontal(TButtonLayout layout) {
  return layout == TButtonLayout::blGlyphLeft || layout == TButtonLayout::blGlyphRight;
}

// Margin and spacing along the layout's axis of client pixels.
void ResolveMarginAndSpacing(int client, int block, int text, int& margin, int& spacing) {
  if (block == 0 || text == 0)
    spacing = 0; // nothing to keep apart
  if (margin == -1 && spacing == -1) {
    margin = (client - block - text) / 3;
    spacing = margin;
  } else if (margin == -1) {
    margin = (client - block - spacing - text + 1) / 2;
  } else if (spacing == -1) {
    spacing = (client - (margin + block) - text) / 2;
  }
}

DockRect At(int x, int y, int width, int height) {
  return {x, y, x + width, y + height};
}

} // namespace

ButtonLayoutResult LayoutButton(const ButtonLayoutInput& in) {
  const int width = in.combo ? in.width - ComboPartWidth(in.arrowWidth) : in.width;
  const bool showGlyph =
      in.displayMode != TButtonDisplayMode::dmTextOnly && in.glyphWidth > 0 && in.glyphHeight > 0;
  const bool showText = in.displayMode != TButtonDisplayMode::dmGlyphOnly && in.textWidth > 0;
  const int glyphWidth = showGlyph ? in.glyphWidth : 0;
  const int glyphHeight = showGlyph ? in.glyphHeight : 0;
  // The glyph block holds the glyph and, beside it, the arrow area.
  const int arrowWidth = in.arrowBesideGlyph ? in.arrowWidth : 0;
  const int blockWidth = glyphWidth + arrowWidth;
  const int blockHeight =
      in.arrowBesideGlyph ? std::max(glyphHeight, ArrowTriangleHeight) : glyphHeight;
  const int textWidth = showText ? in.textWidth : 0;
  const int textHeight = showText ? in.textHeight : 0;

  TButtonLayout layout = in.layout;
  if (!showGlyph && !Horizontal(layout))
    layout = TButtonLayout::blGlyphLeft;

  int margin = in.margin;
  int spacing = in.spacing;
  int blockX = (width - blockWidth + 1) / 2;
  int blockY = (in.height - blockHeight + 1) / 2;
  int textX = (width - textWidth + 1) / 2;
  int textY = (in.height - textHeight + 1) / 2;
  switch (layout) {
  case TButtonLayout::blGlyphLeft:
    ResolveMarginAndSpacing(width, blockWidth, textWidth, margin, spacing);
    blockX = margin;
    textX = blockX + blockWidth + spacing;
    break;
  case TButtonLayout::blGlyphRight:
    ResolveMarginAndSpacing(width, blockWidth, textWidth, margin, spacing);
    blockX = width - margin - blockWidth;
    textX = blockX - spacing - textWidth;
    break;
  case TButtonLayout::blGlyphTop:
    ResolveMarginAndSpacing(in.height, blockHeight, textHeight, margin, spacing);
    blockY = margin;
    textY = blockY + blockHeight + spacing;
    break;
  case TButtonLayout::blGlyphBottom:
    ResolveMarginAndSpacing(in.height, blockHeight, textHeight, margin, spacing);
    blockY = in.height - margin - blockHeight;
    textY = blockY - spacing - textHeight;
    break;
  }
  blockX += in.downOffset;
  blockY += in.downOffset;

  ButtonLayoutResult result;
  if (showGlyph)
    result.glyph = At(blockX, blockY + (blockHeight - glyphHeight) / 2, glyphWidth, glyphHeight);
  if (showText)
    result.text = At(textX + in.downOffset, textY + in.downOffset, textWidth, textHeight);
  if (in.combo)
    result.arrow = {width, 0, in.width, in.height};
  else if (in.arrowBesideGlyph)
    result.arrow = At(blockX + glyphWidth, blockY + (blockHeight - ArrowTriangleHeight) / 2,
                      arrowWidth, ArrowTriangleHeight);
  return result;
}

int WrapWidth(int width, int glyphWidth, TButtonLayout layout, int margin, int spacing) {
  if (Horizontal(layout) && glyphWidth > 0)
    width -= glyphWidth + (spacing == -1 ? 4 : spacing);
  const int edge = margin != -1 ? margin : spacing != -1 ? spacing : 4;
  return width - 2 * edge;
}

int ComboPartWidth(int arrowWidth) {
  return arrowWidth + 2;
}

bool OnArrowPart(int x, int width, int arrowWidth) {
  return x >= width - ComboPartWidth(arrowWidth);
}

std::array<DockPoint, 3> ArrowTriangle(int centreX, int top) {
  const int half = ArrowTriangleWidth / 2;
  return {DockPoint{centreX - half, top}, DockPoint{centreX + half, top},
          DockPoint{centreX, top + ArrowTriangleHeight - 1}};
}

bool CheckerHighlight(int x, int y) {
  return (x & 1) == (y & 1);
}

std::array<uint8_t, 8> CheckerRows() {
  std::array<uint8_t, 8> rows{};
  for (size_t y = 0; y < rows.size(); ++y)
    for (int x = 0; x < 8; ++x)
      if (CheckerHighlight(x, static_cast<int>(y)))
        rows[y] = static_cast<uint8_t>(rows[y] | (0x80 >> x));
  return rows;
}

} // namespace quolin
