// Any bytes as a JPEG file: refused, or a buffer of exactly rows × stride at the reduction the
// header's size chooses, and the same pixels on a second decode.
#include "core/JpegDecode.h"
#include "fuzz/FuzzSupport.h"

using namespace quolin;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  TJpegImage image;
  if (!DecodeJpeg(bytes, image)) {
    FUZZ_CHECK(image.Pixels.empty());
    return 0;
  }
  int width = 0, height = 0;
  FUZZ_CHECK(ReadJpegSize(bytes, width, height));
  FUZZ_CHECK(width == image.HeaderWidth && height == image.HeaderHeight);
  const int denominator = JpegScaleDenominator(width, height);
  FUZZ_CHECK(image.Width == JpegScaledSide(width, denominator) &&
             image.Height == JpegScaledSide(height, denominator));
  FUZZ_CHECK(image.Width <= JpegMaxDecodedSide && image.Height <= JpegMaxDecodedSide);
  FUZZ_CHECK(image.Stride % 4 == 0 && image.Stride >= image.Width * 3 &&
             image.Stride < image.Width * 3 + 4);
  FUZZ_CHECK(image.Pixels.size() == static_cast<size_t>(image.Stride) * image.Height);
  TJpegImage again;
  FUZZ_CHECK(DecodeJpeg(bytes, again) && again.Pixels == image.Pixels);
  return 0;
}
