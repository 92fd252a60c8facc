// The picture dialog's arithmetic: sizes in centimetres at a scale, scale texts, the preview
// box and metafile frames in pixels. Texts use "." as the decimal point whatever the locale.
#pragma once

#include <string>

namespace quolin {

// Pixels per centimetre that the sizes are reckoned with.
inline constexpr double PixelsPerCentimetre = 37.9;
// A picture with a side at least this long is stretched into the preview box.
inline constexpr int PreviewStretchFrom = 151;
inline constexpr int PreviewBoxSide = 150;

// scale × pixels div 100 pixels, in centimetres, "%2.2f".
std::string PictureCentimetres(int pixels, int scalePercent);
// The scale as a factor, "%2.2f".
std::string ScaleFactorText(int scalePercent);
// width × 100 div height; 0 for a height of 0.
int AspectRatio(int width, int height);

struct TPreviewSize {
  int Width = 0, Height = 0;
  // False: the picture is shown at its natural size.
  bool Stretched = false;
};
// The natural size unless a side reaches PreviewStretchFrom; then 150 wide and 15000 div aspect
// high for an aspect of 100 or more, else aspect × 150 div 100 wide and 150 high.
TPreviewSize PreviewSize(int width, int height);

// A metafile frame side in 0.01 mm to pixels at the given dots per inch, rounded.
int FrameToPixels(int hundredthsOfMillimetre, int dpi);

} // namespace quolin
