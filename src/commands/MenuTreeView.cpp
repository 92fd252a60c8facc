#include "commands/MenuTreeView.h"

#include "app/TopUnit.h"
#include "core/CommandLookup.h"
#include "core/MenuTree.h"
#include "core/StringList.h"
#include "ui/TreeView.h"

namespace quolin {

namespace {

int SubtreeSize(const TTreeNode* node) {
  int size = 1;
  for (int i = 0; i < node->Count(); ++i)
    size += SubtreeSize(node->Item(i));
  return size;
}

void LoadChildren(TTreeView& tree, TMenuRecords& records, TTreeNode* parent,
                  const TMenuNode& model) {
  for (const auto& child : model.Children)
    LoadChildren(tree, records, AddMenuNode(tree, records, child->Record, parent, true), *child);
}

} // namespace

TQuolin_MenuList* TMenuRecords::Add(const TQuolin_MenuList& record) {
  auto owned = std::make_unique<TQuolin_MenuList>(record);
  TQuolin_MenuList* added = owned.get();
  records_.emplace(added, std::move(owned));
  return added;
}

void TMenuRecords::Forget(const TTreeNode* node) {
  records_.erase(MenuRecordOf(node));
  for (int i = 0; i < node->Count(); ++i)
    Forget(node->Item(i));
}

TQuolin_MenuList* MenuRecordOf(const TTreeNode* node) {
  return node ? static_cast<TQuolin_MenuList*>(node->Data) : nullptr;
}

TTreeNode* FindMenuNode(TTreeView& tree, int level, const std::string& caption) {
  for (TTreeNode* node = tree.Items().GetFirstNode(); node; node = node->GetNext())
    if (node->Level() == level && node->Text() == caption)
      return node;
  return nullptr;
}

void WriteMenuSubtree(const TTreeNode* node, int kind, TStrings& lines) {
  if (TQuolin_MenuList* record = MenuRecordOf(node)) {
    record->MenuKind = kind;
    record->Level = node->Level();
    record->ParentIndex = node->Parent() ? node->Parent()->AbsoluteIndex() : 0;
    lines.Add(BuildMenuLine(*record));
  }
  for (int i = 0; i < node->Count(); ++i)
    WriteMenuSubtree(node->Item(i), kind, lines);
}

void WriteMenuTreeView(TTreeView& tree, TStrings& lines) {
  lines.BeginUpdate();
  lines.Clear();
  int kind = 0;
  for (TTreeNode* root = tree.Items().GetFirstNode(); root && kind < MenuKindCount;
       root = root->GetNextSibling())
    WriteMenuSubtree(root, kind++, lines);
  lines.EndUpdate();
}

void SetMenuNodeImage(TTreeNode* node, int image) {
  node->SetImageIndex(image);
  node->SetSelectedIndex(image);
}

int MenuCommandImage(int commandId) {
  return TopForm ? GetCommandImage(TopForm->MasterList, TopForm->GroupList, commandId) : NoImage;
}

void LoadMenuTreeView(TTreeView& tree, TMenuRecords& records, const TMenuTree& menus) {
  tree.Items().BeginUpdate();
  tree.Items().Clear();
  records.Clear();
  for (int kind = 0; kind < MenuKindCount; ++kind) {
    TTreeNode* root = tree.Items().AddChild(nullptr, MenuRootCaptions[kind]);
    LoadChildren(tree, records, root, menus.Root(kind));
    root->Expand(false);
  }
  tree.Items().EndUpdate();
}

TTreeNode* AddMenuNode(TTreeView& tree, TMenuRecords& records, const TQuolin_MenuList& record,
                       TTreeNode* at, bool asChild) {
  TQuolin_MenuList* owned = records.Add(record);
  const int image = MenuCommandImage(record.CommandId);
  if (asChild)
    return tree.Items().AddChildObject(at, record.Caption, owned, image, image);
  TTreeNode* node = tree.Items().Insert(at, record.Caption);
  node->Data = owned;
  SetMenuNodeImage(node, image);
  return node;
}

void DeleteMenuNode(TTreeNode* node, TMenuRecords& records) {
  if (!node || !node->Parent())
    return;
  records.Forget(node);
  node->Delete();
}

bool CanDropMenuNode(const TTreeNode* dragged, const TTreeNode* target) {
  if (!dragged || !target)
    return false;
  return TMenuTree::CanMoveBefore(dragged->AbsoluteIndex(), SubtreeSize(dragged),
                                  !dragged->Parent(), target->AbsoluteIndex(), !target->Parent());
}

bool DropMenuNode(TTreeNode* dragged, TTreeNode* target) {
  if (!CanDropMenuNode(dragged, target))
    return false;
  dragged->MoveTo(target, TNodeAttachMode::naInsert);
  return true;
}

} // namespace quolin
