// The window-free arithmetic of the title-bar hint: the caption band the pointer has to rest
// in, where the hint goes, and how long the pointer has rested. Rectangles are in screen
// coordinates, right and bottom outside.
#pragma once

#include "core/DockGeometry.h"

#include <cstdint>

namespace quolin {

enum TTBHintStyle { tsMousePos, tsBottom, tsTop };

// The system metrics the band depends on.
struct TCaptionMetrics {
  int captionHeight = 0; // SM_CYCAPTION
  int borderHeight = 0;  // SM_CYBORDER
  int buttonWidth = 0;   // SM_CXSIZE
};

// The caption of a window without the square of the system icon on its left and the three
// caption buttons on its right; the frame is taken as half the difference of the window's and
// the client's width.
DockRect CaptionBand(const DockRect& window, int clientWidth, const TCaptionMetrics& metrics);

// The hint of that size by style: below the band, above it, or below the pointer by its own
// height; moved onto the work area when it would stick out.
DockRect HintBounds(TTBHintStyle style, const DockRect& band, DockPoint pointer, int width,
                    int height, const DockRect& workArea);

// Milliseconds from start to now of a tick count that wraps every 2^32 ms.
constexpr uint32_t ElapsedTicks(uint32_t now, uint32_t start) {
  return now - start;
}

} // namespace quolin
