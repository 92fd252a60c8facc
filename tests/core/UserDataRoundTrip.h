// Arbitrary bytes read as the user data's lines: a master, menu or toolbar line rebuilt and
// parsed again gives the same record, and a Menu stream loaded, written and loaded again gives
// the same tree. The body of the fuzz target, also run on random input by the core's tests.
#pragma once

#include "core/CommandRecords.h"
#include "core/MenuTree.h"
#include "core/StringList.h"

#include <string_view>

namespace quolin::test_support {

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
  tree.WriteLines(lines);
  treeAgain.LoadLines(lines);
  return master == masterAgain && node == nodeAgain && toolbar == toolbarAgain && tree == treeAgain;
}

} // namespace quolin::test_support
