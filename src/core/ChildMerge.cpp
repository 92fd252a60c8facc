#include "core/ChildMerge.h"

namespace quolin {

// A greater child waits for the next item; a lesser child (or one the comparison cannot place)
// is gone from the folder.
void MergeChildren(size_t children, size_t items, TChildMergeSteps& steps) {
  size_t child = 0;
  size_t item = 0;
  while (item < items) {
    if (child == children) {
      steps.Append(item++);
      continue;
    }
    switch (steps.Compare(child, item)) {
    case TMergeAnswer::Equal:
      steps.Keep(child++, item++);
      break;
    case TMergeAnswer::ChildGreater:
      steps.InsertBefore(child, item++);
      break;
    default:
      steps.Delete(child++);
      break;
    }
  }
  while (child < children)
    steps.Delete(child++);
}

} // namespace quolin
