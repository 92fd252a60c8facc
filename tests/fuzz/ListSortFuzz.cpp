// Any bytes as the answers of an inconsistent comparison: the sort never reads outside its list
// and keeps every entry.
#include "fuzz/FuzzSupport.h"
#include "fuzz/ListSortCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FUZZ_CHECK(quolin::fuzz::SortStaysInsideTheList(data, size));
  return 0;
}
