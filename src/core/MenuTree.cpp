#include "core/MenuTree.h"

#include "core/StringList.h"

#include <algorithm>

namespace quolin {

TMenuNode* TMenuNode::AddChild(const TQuolin_MenuList& record) {
  Children.push_back(std::make_unique<TMenuNode>());
  Children.back()->Record = record;
  return Children.back().get();
}

int TMenuNode::Size() const {
  int size = 1;
  for (const auto& child : Children)
    size += child->Size();
  return size;
}

namespace {

// Absolute index, depth first over the roots in order, of every node.
void Flatten(TMenuNode& node, std::vector<TMenuNode*>& order) {
  order.push_back(&node);
  for (auto& child : node.Children)
    Flatten(*child, order);
}

struct TPlacedNode {
  TMenuNode* Node;
  TMenuNode* Parent; // nullptr for a root
};

void FlattenWithParents(TMenuNode& node, TMenuNode* parent, std::vector<TPlacedNode>& order) {
  order.push_back({&node, parent});
  for (auto& child : node.Children)
    FlattenWithParents(*child, &node, order);
}

std::vector<std::unique_ptr<TMenuNode>>::iterator ChildPlace(TMenuNode& parent,
                                                              const TMenuNode* child) {
  return std::find_if(parent.Children.begin(), parent.Children.end(),
                      [child](const auto& owned) { return owned.get() == child; });
}

void WriteSubtree(const TMenuNode& node, int kind, int level, int nodeIndex, int& nextIndex,
                  TStrings& lines) {
  for (const auto& child : node.Children) {
    TQuolin_MenuList record = child->Record;
    record.MenuKind = kind;
    record.Level = level;
    record.ParentIndex = nodeIndex;
    lines.Add(BuildMenuLine(record));
    const int childIndex = nextIndex++;
    WriteSubtree(*child, kind, level + 1, childIndex, nextIndex, lines);
  }
}

bool SameNode(const TMenuNode& a, const TMenuNode& b) {
  if (a.Record.Caption != b.Record.Caption || a.Record.CommandId != b.Record.CommandId ||
      a.Record.ShortCut != b.Record.ShortCut || a.Children.size() != b.Children.size())
    return false;
  for (size_t i = 0; i < a.Children.size(); ++i)
    if (!SameNode(*a.Children[i], *b.Children[i]))
      return false;
  return true;
}

} // namespace

TMenuTree::TMenuTree() {
  Clear();
}

void TMenuTree::Clear() {
  for (int kind = 0; kind < MenuKindCount; ++kind) {
    roots_[kind] = std::make_unique<TMenuNode>();
    roots_[kind]->Record.Caption = MenuRootCaptions[kind];
    roots_[kind]->Record.MenuKind = kind;
  }
}

void TMenuTree::LoadLines(const TStrings& lines) {
  Clear();
  std::vector<TMenuNode*> order;
  for (auto& root : roots_)
    Flatten(*root, order);
  TQuolin_MenuList record;
  for (int i = 0; i < lines.Count(); ++i) {
    ParseMenuLine(lines[i], record);
    if (record.MenuKind < 0 || record.MenuKind >= MenuKindCount)
      continue;
    const bool known =
        record.ParentIndex >= 0 && record.ParentIndex < static_cast<int>(order.size());
    TMenuNode* parent = known ? order[record.ParentIndex] : roots_[record.MenuKind].get();
    // The new node follows its parent's whole subtree.
    const auto at = std::find(order.begin(), order.end(), parent) - order.begin() + parent->Size();
    order.insert(order.begin() + at, parent->AddChild(record));
  }
}

void TMenuTree::WriteLines(TStrings& lines) const {
  lines.BeginUpdate();
  lines.Clear();
  int nextIndex = 0;
  for (int kind = 0; kind < MenuKindCount; ++kind) {
    const int rootIndex = nextIndex++;
    WriteSubtree(*roots_[kind], kind, 1, rootIndex, nextIndex, lines);
  }
  lines.EndUpdate();
}

bool TMenuTree::operator==(const TMenuTree& other) const {
  for (int kind = 0; kind < MenuKindCount; ++kind)
    if (!SameNode(*roots_[kind], *other.roots_[kind]))
      return false;
  return true;
}

int TMenuTree::Count() const {
  int count = 0;
  for (const auto& root : roots_)
    count += root->Size();
  return count;
}

bool TMenuTree::CanMoveBefore(int source, int sourceSize, bool sourceIsRoot, int target,
                              bool targetIsRoot) {
  if (sourceIsRoot || targetIsRoot)
    return false;
  return target < source || target >= source + sourceSize;
}

bool TMenuTree::MoveBefore(int source, int target) {
  std::vector<TPlacedNode> order;
  for (auto& root : roots_)
    FlattenWithParents(*root, nullptr, order);
  const int count = static_cast<int>(order.size());
  if (source < 0 || source >= count || target < 0 || target >= count)
    return false;
  const TPlacedNode moved = order[source], before = order[target];
  if (!CanMoveBefore(source, moved.Node->Size(), !moved.Parent, target, !before.Parent))
    return false;
  auto from = ChildPlace(*moved.Parent, moved.Node);
  std::unique_ptr<TMenuNode> node = std::move(*from);
  moved.Parent->Children.erase(from);
  // Looked up after the removal, which may have shifted the target among the same siblings.
  before.Parent->Children.insert(ChildPlace(*before.Parent, before.Node), std::move(node));
  return true;
}

} // namespace quolin
