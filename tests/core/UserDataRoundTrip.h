// Arbitrary bytes read as the user data's lines: a master, menu or toolbar line rebuilt and
// parsed again gives the same record, and a Menu stream loaded, moved about, written and loaded
// again gives the same tree. The moves come from the bytes: one the rule accepts keeps every
// node in the tree, one it refuses changes nothing. The body of the fuzz target, also run on
// random input by the core's tests.
#pragma once

#include "core/CommandRecords.h"
#include "core/MenuTree.h"
#include "core/StringList.h"

#include <cstdint>
#include <string_view>

namespace quolin::test_support {

// Moves of nodes picked by a generator seeded from the bytes; false when a move lost or
// gained a node, or a refused one changed the tree.
inline bool RandomMovesKeepTheTree(TMenuTree& tree, std::string_view bytes) {
  uint32_t state = 2166136261u;
  for (unsigned char byte : bytes)
    state = (state ^ byte) * 16777619u;
  const int count = tree.Count();
  TStringList before, after;
  for (int move = 0; move < 8; ++move) {
    state = state * 1664525u + 1013904223u;
    const int source = static_cast<int>((state >> 8) % static_cast<uint32_t>(count + 2)) - 1;
    const int target = static_cast<int>((state >> 20) % static_cast<uint32_t>(count + 2)) - 1;
    tree.WriteLines(before);
    const bool moved = tree.MoveBefore(source, target);
    if (tree.Count() != count)
      return false;
    tree.WriteLines(after);
    if (!moved && after.Text() != before.Text())
      return false;
  }
  return true;
}

inline bool UserDataLinesRoundTrip(std::string_view bytes) {
  TQuolin_CmdList master, masterAgain;
  ParseMasterRecord(bytes, master);
  ParseMasterRecord(BuildMasterRecord(master), masterAgain);
  TQuolin_MenuList node, nodeAgain;
  ParseMenuLine(bytes, node);
  ParseMenuLine(BuildMenuLine(node), nodeAgain);
  TQuolin_ButtonList toolbar, toolbarAgain;
  ParseToolbarLine(bytes, toolbar);
  ParseToolbarLine(BuildToolbarLine(toolbar), toolbarAgain);
  TStringList lines;
  lines.SetText(bytes);
  TMenuTree tree, treeAgain;
  tree.LoadLines(lines);
  const bool movesKept = RandomMovesKeepTheTree(tree, bytes);
  tree.WriteLines(lines);
  treeAgain.LoadLines(lines);
  return master == masterAgain && node == nodeAgain && toolbar == toolbarAgain && movesKept &&
         tree == treeAgain;
}

} // namespace quolin::test_support
