// The menu editor's tree view: three roots ("メイン", "メインポップアップ", "編集ポップアップ")
// without records or images, every other node carrying a menu record that TMenuRecords owns
// and showing its caption and the image of its command. Menu lines load into it through the
// menu tree model and are written back from it; a drag moves a node by the model's rule.
#pragma once

#include "core/CommandRecords.h"

#include <map>
#include <memory>
#include <string>

namespace quolin {

class TMenuTree;
class TStrings;
class TTreeNode;
class TTreeView;

// The records of a tree view's nodes. The tree view tells nobody when a node goes: whoever
// deletes a node forgets its subtree's records first.
class TMenuRecords {
public:
  TQuolin_MenuList* Add(const TQuolin_MenuList& record);
  // Frees the records of node and of every node below it.
  void Forget(const TTreeNode* node);
  void Clear() { records_.clear(); }
  int Count() const { return static_cast<int>(records_.size()); }

private:
  std::map<const TQuolin_MenuList*, std::unique_ptr<TQuolin_MenuList>> records_;
};

// The record a node carries; nullptr on a root.
TQuolin_MenuList* MenuRecordOf(const TTreeNode* node);
// The first node in tree order of that level (roots 0) and caption; nullptr when none.
TTreeNode* FindMenuNode(TTreeView& tree, int level, const std::string& caption);
// Appends the subtree's lines with that menu kind: each node with a record gets the kind, its
// level and its parent's absolute index before its line is built; then its children in order.
void WriteMenuSubtree(const TTreeNode* node, int kind, TStrings& lines);
// The three roots in order as the menu lines.
void WriteMenuTreeView(TTreeView& tree, TStrings& lines);
void SetMenuNodeImage(TTreeNode* node, int image);
// The image of a node's command in the main window's lists.
int MenuCommandImage(int commandId);
// Clears the view and its records and shows the model's three trees, roots open.
void LoadMenuTreeView(TTreeView& tree, TMenuRecords& records, const TMenuTree& menus);
// A new node for record: before the node at, or as at's last child.
TTreeNode* AddMenuNode(TTreeView& tree, TMenuRecords& records, const TQuolin_MenuList& record,
                       TTreeNode* at, bool asChild);
// Deletes a node below a root with its subtree and their records; a root stays.
void DeleteMenuNode(TTreeNode* node, TMenuRecords& records);
// Whether the dragged node may go before target: the model's rule on their tree positions.
bool CanDropMenuNode(const TTreeNode* dragged, const TTreeNode* target);
// Moves dragged with its subtree before target when the rule allows; true when it moved.
bool DropMenuNode(TTreeNode* dragged, TTreeNode* target);

} // namespace quolin
