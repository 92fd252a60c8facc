#include "toolbar/HintGeometry.h"

namespace quolin {

DockRect CaptionBand(const DockRect& window, int clientWidth, const TCaptionMetrics& metrics) {
  int border = (window.Width() - clientWidth) / 2;
  int top = window.top + border;
  int bottom = top + metrics.captionHeight - metrics.borderHeight;
  int right = window.right - border - 3 * metrics.buttonWidth;
  int left = window.left + border + (bottom - top);
  return {left, top, right, bottom};
}

DockRect HintBounds(TTBHintStyle style, const DockRect& band, DockPoint pointer, int width,
                    int height, const DockRect& workArea) {
  DockPoint origin{pointer.x, pointer.y + height};
  if (style == tsBottom)
    origin = {band.left, band.bottom + 4};
  else if (style == tsTop)
    origin = {band.left, band.top - height - 4};
  return MoveOnScreen({origin.x, origin.y, origin.x + width, origin.y + height}, workArea, false);
}

} // namespace quolin
