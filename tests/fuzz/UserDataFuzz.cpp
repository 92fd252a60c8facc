// Any bytes as a master, menu and toolbar line (rebuilt and parsed again: the same record) and
// as a Menu stream (its lines loaded, written back and loaded again: the same tree).
#include "core/UserDataRoundTrip.h"
#include "fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FUZZ_CHECK(quolin::test_support::UserDataLinesRoundTrip(
      std::string_view(reinterpret_cast<const char*>(data), size)));
  return 0;
}
