#include "core/WmfHeader.h"

namespace quolin {

namespace {

uint16_t Word(std::string_view bytes, size_t offset) {
  return static_cast<uint16_t>(static_cast<uint8_t>(bytes[offset]) |
                               static_cast<uint8_t>(bytes[offset + 1]) << 8);
}

// Units of the frame to pixels, rounded to nearest; 0 for an empty or reversed side.
int SideInPixels(int first, int last, int dpi, int unitsPerInch) {
  const long long units = static_cast<long long>(last) - first;
  if (units <= 0 || dpi <= 0)
    return 0;
  return static_cast<int>((units * dpi + unitsPerInch / 2) / unitsPerInch);
}

} // namespace

bool ReadPlaceableHeader(std::string_view bytes, TPlaceableHeader& header) {
  if (bytes.size() < PlaceableHeaderSize)
    return false;
  if ((Word(bytes, 0) | static_cast<uint32_t>(Word(bytes, 2)) << 16) != PlaceableKey)
    return false;
  uint16_t checksum = 0;
  for (size_t offset = 0; offset < 20; offset += 2)
    checksum ^= Word(bytes, offset);
  if (checksum != Word(bytes, 20) || Word(bytes, 14) == 0)
    return false;
  header.Left = static_cast<int16_t>(Word(bytes, 6));
  header.Top = static_cast<int16_t>(Word(bytes, 8));
  header.Right = static_cast<int16_t>(Word(bytes, 10));
  header.Bottom = static_cast<int16_t>(Word(bytes, 12));
  header.Inch = Word(bytes, 14);
  return true;
}

bool PlaceableSizeInPixels(const TPlaceableHeader& header, int dpiX, int dpiY, int& width,
                           int& height) {
  if (header.Inch == 0)
    return false;
  width = SideInPixels(header.Left, header.Right, dpiX, header.Inch);
  height = SideInPixels(header.Top, header.Bottom, dpiY, header.Inch);
  return width > 0 && height > 0;
}

} // namespace quolin
