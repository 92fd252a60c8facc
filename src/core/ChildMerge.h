// The merge of a folder node's children with the folder's current content: both runs are in
// the folder's own order, so one pass keeps the children that are still there (with their own
// branches), inserts the new ones in place and deletes the gone ones. The comparison may come
// from another program and need not be consistent: whatever it answers, the merge ends after
// at most children + items steps, uses each new item or leaves it unused exactly once, and
// keeps or deletes each old child exactly once.
#pragma once

#include <cstddef>

namespace quolin {

// An old child compared with a new item (the codes of the shell's list comparison).
enum class TMergeAnswer { Equal = 0, ChildGreater = 1, ChildLess = 2, Error = 3 };

// Positions count in the runs as they were before the merge: the old children 0..children-1
// and the new items 0..items-1.
class TChildMergeSteps {
public:
  virtual TMergeAnswer Compare(size_t child, size_t item) = 0;
  // The child stays; the item is left unused (its owner frees it).
  virtual void Keep(size_t child, size_t item) = 0;
  // A node for the item goes before the child.
  virtual void InsertBefore(size_t child, size_t item) = 0;
  virtual void Delete(size_t child) = 0;
  // A node for the item goes after every child.
  virtual void Append(size_t item) = 0;

protected:
  ~TChildMergeSteps() = default;
};

void MergeChildren(size_t children, size_t items, TChildMergeSteps& steps);

} // namespace quolin
