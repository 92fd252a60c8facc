#include "core/PictureSizes.h"

#include "core/Format.h"

namespace quolin {

std::string PictureCentimetres(int pixels, int scalePercent) {
  const long long scaled = static_cast<long long>(scalePercent) * pixels / 100;
  return Format("%2.2f", static_cast<double>(scaled) / PixelsPerCentimetre);
}

std::string ScaleFactorText(int scalePercent) {
  return Format("%2.2f", scalePercent / 100.0);
}

int AspectRatio(int width, int height) {
  return height == 0 ? 0 : static_cast<int>(static_cast<long long>(width) * 100 / height);
}

TPreviewSize PreviewSize(int width, int height) {
  if (width < PreviewStretchFrom && height < PreviewStretchFrom)
    return {width, height, false};
  const int aspect = AspectRatio(width, height);
  if (aspect >= 100)
    return {PreviewBoxSide, PreviewBoxSide * 100 / aspect, true};
  return {aspect * PreviewBoxSide / 100, PreviewBoxSide, true};
}

int FrameToPixels(int hundredthsOfMillimetre, int dpi) {
  return static_cast<int>((static_cast<long long>(hundredthsOfMillimetre) * dpi + 1270) / 2540);
}

} // namespace quolin
