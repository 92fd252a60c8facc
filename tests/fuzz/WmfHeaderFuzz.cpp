// Any bytes as a placeable metafile header: refused, or a positive size that agrees with its
// frame and units at two resolutions.
#include "core/WmfHeader.h"
#include "fuzz/FuzzSupport.h"

using namespace quolin;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::Input input(data, size);
  const int dpi = 1 + input.Byte() * 4;
  const std::string bytes = input.Rest();
  TPlaceableHeader header;
  if (!ReadPlaceableHeader(bytes, header))
    return 0;
  FUZZ_CHECK(bytes.size() >= PlaceableHeaderSize && header.Inch != 0);
  int width = 0, height = 0;
  if (!PlaceableSizeInPixels(header, dpi, dpi * 2, width, height))
    return 0;
  FUZZ_CHECK(width > 0 && height > 0);
  const long long frameWidth = header.Right - header.Left, frameHeight = header.Bottom - header.Top;
  FUZZ_CHECK(frameWidth > 0 && frameHeight > 0);
  // Rounded to nearest: within half a pixel of the exact size.
  FUZZ_CHECK(std::llabs(2LL * width * header.Inch - 2 * frameWidth * dpi) <= header.Inch);
  FUZZ_CHECK(std::llabs(2LL * height * header.Inch - 2 * frameHeight * dpi * 2) <= header.Inch);
  return 0;
}
