// Any bytes through the "TPF0" reader: a refused image leaves the image it was given
// unchanged; an accepted one, written again, reads the same and writes the same bytes.
#include "core/PropertyStream.h"
#include "fuzz/FuzzSupport.h"

using namespace quolin;

namespace {

bool SameImage(const TComponentImage& left, const TComponentImage& right) {
  return left.className == right.className && left.name == right.name &&
         left.properties == right.properties;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const TComponentImage before{"TBefore", "Before", {{"Caret.SoftTab", TStreamValue::Bool(true)}}};
  TComponentImage image = before;
  if (!ReadComponentImage(bytes, image)) {
    FUZZ_CHECK(SameImage(image, before));
    return 0;
  }
  std::string written = WriteComponentImage(image);
  TComponentImage again;
  FUZZ_CHECK(ReadComponentImage(written, again));
  FUZZ_CHECK(SameImage(again, image));
  FUZZ_CHECK(WriteComponentImage(again) == written);
  return 0;
}
