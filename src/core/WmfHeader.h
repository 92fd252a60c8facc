// The placeable header that precedes a Windows metafile saved to a file: its frame and units
// give the picture's size.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace quolin {

inline constexpr uint32_t PlaceableKey = 0x9AC6CDD7;
inline constexpr size_t PlaceableHeaderSize = 22;

struct TPlaceableHeader {
  int16_t Left = 0, Top = 0, Right = 0, Bottom = 0;
  // Metafile units per inch.
  uint16_t Inch = 0;
};

// False unless the bytes begin with the key, a checksum that matches (the exclusive or of the
// first ten 16-bit words) and a nonzero unit count.
bool ReadPlaceableHeader(std::string_view bytes, TPlaceableHeader& header);
// The frame in pixels at the given dots per inch, rounded; false unless both sides are positive.
bool PlaceableSizeInPixels(const TPlaceableHeader& header, int dpiX, int dpiY, int& width,
                           int& height);

} // namespace quolin
