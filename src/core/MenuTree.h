// The three menu trees of the user data as one model: the roots "メイン", "メインポップアップ"
// and "編集ポップアップ" (menu kinds 0, 1, 2), each node below them carrying a menu record.
// Menu lines load into it and are written back from it, roots in order, each subtree depth
// first.
#pragma once

#include "core/CommandRecords.h"

#include <array>
#include <memory>
#include <vector>

namespace quolin {

class TStrings;

struct TMenuNode {
  // The root's caption on a root; a root's other fields mean nothing.
  TQuolin_MenuList Record;
  std::vector<std::unique_ptr<TMenuNode>> Children;

  TMenuNode* AddChild(const TQuolin_MenuList& record);
  // Nodes of the subtree, this one included.
  int Size() const;
};

inline constexpr std::array<const char*, MenuKindCount> MenuRootCaptions = {
    "メイン", "メインポップアップ", "編集ポップアップ"};

class TMenuTree {
public:
  TMenuTree();

  TMenuNode& Root(int kind) { return *roots_[kind]; }
  const TMenuNode& Root(int kind) const { return *roots_[kind]; }

  // Replaces the tree by the lines' nodes. Each line goes under the node at its ParentIndex
  // (counted over the tree as loaded so far, roots included); a line whose ParentIndex names
  // no node goes under the root of its kind, and a line of an unknown kind is skipped.
  void LoadLines(const TStrings& lines);
  // The menu lines of every node, with MenuKind, Level and ParentIndex filled in.
  void WriteLines(TStrings& lines) const;
  // Whether two trees hold the same records in the same places.
  bool operator==(const TMenuTree& other) const;

  // Nodes in tree order, roots counted: an absolute index is a place in it.
  int Count() const;
  // Whether the node at source, whose subtree takes sourceSize places, may go before the node
  // at target: neither is a root, and the target lies outside the source's subtree (a node
  // moved into itself would leave the tree as a cycle).
  static bool CanMoveBefore(int source, int sourceSize, bool sourceIsRoot, int target,
                            bool targetIsRoot);
  // Moves the node at source with its subtree before the node at target, as the target's
  // sibling. False, with nothing changed, when the rule refuses or an index names no node.
  bool MoveBefore(int source, int target);

private:
  std::array<std::unique_ptr<TMenuNode>, MenuKindCount> roots_;

  void Clear();
};

} // namespace quolin
