// JPEG pictures through libjpeg (its 6b interface) for the picture preview: the header's size,
// and the pixels at the smallest size the preview box still fills.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace quolin {

// The side of the preview box; a larger picture is decoded at a reduced scale.
inline constexpr int JpegPreviewBox = 150;
// A decoded side above this is refused, as is a buffer that cannot be had.
inline constexpr int JpegMaxDecodedSide = 4096;
// The most memory libjpeg may take for its own work.
inline constexpr long JpegMaxWorkMemory = 64L * 1024 * 1024;

struct TJpegImage {
  // The picture's size by its header.
  int HeaderWidth = 0, HeaderHeight = 0;
  // The decoded size and row length: top-down rows of blue, green, red bytes, each row padded
  // to a multiple of 4 bytes.
  int Width = 0, Height = 0, Stride = 0;
  std::vector<uint8_t> Pixels;
};

// The largest of libjpeg's reductions 8, 4 and 2 that keeps both sides at least the preview
// box; 1 when none does.
int JpegScaleDenominator(int width, int height);
// A side reduced by the denominator, rounded up as libjpeg does.
int JpegScaledSide(int side, int denominator);
// The size from the header; false when the bytes hold no JPEG header.
bool ReadJpegSize(std::string_view bytes, int& width, int& height);
// Decodes at JpegScaleDenominator of the header's size. False for anything libjpeg refuses,
// a decoded side above JpegMaxDecodedSide or a buffer that cannot be had; a file cut short in
// its data keeps what was decoded.
bool DecodeJpeg(std::string_view bytes, TJpegImage& image);

} // namespace quolin
