// Any answers of the folder's comparison: the merge of a node's children ends, meets every old
// child and every new item once, and leaves one node per item in the items' order.
#include "fuzz/ChildMergeCheck.h"
#include "fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FUZZ_CHECK(quolin::fuzz::MergeStaysSound(data, size));
  return 0;
}
