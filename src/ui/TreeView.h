// The tree view: node objects that keep their text, data and images, so that the window can be
// made again and nodes can be reused; sorting by OnCompare (stable); dragging a node inside the
// tree with OnStartDrag, OnDragOver (Accept), OnDragDrop and OnEndDrag. A derived tree fills
// nodes when they open (CanExpand), vets selections and label edits (CanChange, CanEdit), hears
// of every node that goes (Delete) and may give images on demand (GetImageIndex).
#pragma once

#include "ui/Control.h"

#include <functional>
#include <commctrl.h>

#include <memory>
#include <vector>

// windowsx.h makes macros of these names; here they are the nodes' own.
#undef GetFirstChild
#undef GetNextSibling
#undef GetPrevSibling

namespace quolin {

class TImageList;
class TTimer;
class TTreeNodes;
class TTreeView;

enum class TNodeAttachMode { naAdd, naAddFirst, naAddChild, naAddChildFirst, naInsert };
enum class TSortType { stNone, stText };

class TTreeNode : public TObject {
public:
  const std::string& Text() const { return text_; }
  void SetText(const std::string& text);
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int index);
  int SelectedIndex() const { return selectedIndex_; }
  void SetSelectedIndex(int index);
  void* Data = nullptr;

  TTreeNode* Parent() const;
  int Count() const { return static_cast<int>(children_.size()); }
  TTreeNode* Item(int index) const { return children_.at(static_cast<size_t>(index)).get(); }
  // The expand button: set by adding a child, cleared when the last one goes; a node filled
  // when it opens sets it before it has children.
  bool HasChildren() const { return hasChildren_; }
  void SetHasChildren(bool hasChildren);
  // The overlay image k (0..14) of the tree's images; -1 none.
  int OverlayIndex() const { return overlayIndex_; }
  void SetOverlayIndex(int index);
  // Shown as cut to the clipboard.
  bool Cut() const { return cut_; }
  void SetCut(bool cut);
  // Shown as the target of a drop.
  bool DropTarget() const;
  void SetDropTarget(bool target);
  int Index() const;
  // The place in tree order, 0 for the first top-level node.
  int AbsoluteIndex() const;
  // 0 for a top-level node.
  int Level() const;
  TTreeNode* GetFirstChild() const { return children_.empty() ? nullptr : children_.front().get(); }
  TTreeNode* GetLastChild() const { return children_.empty() ? nullptr : children_.back().get(); }
  TTreeNode* GetNextSibling() const;
  TTreeNode* GetPrevSibling() const;
  // The next and previous node in tree order (depth first), or nullptr.
  TTreeNode* GetNext() const;
  TTreeNode* GetPrev() const;

  bool Expanded() const;
  void SetExpanded(bool expanded);
  void Expand(bool recurse);
  void Collapse(bool recurse);
  bool Selected() const;
  void SetSelected(bool selected);
  void MakeVisible();
  // Starts editing the label; false when the tree refused.
  bool EditText();

  // Frees the node and its children.
  void Delete();
  void DeleteChildren();
  void MoveTo(TTreeNode* destination, TNodeAttachMode mode);
  // Sorts the children (stably) by compare (below 0: the first goes first).
  void CustomSort(const std::function<int(TTreeNode* left, TTreeNode* right)>& compare);

  TTreeView& TreeView() const { return tree_; }
  HTREEITEM ItemId() const { return item_; }

private:
  friend class TTreeNodes;
  friend class TTreeView;

  explicit TTreeNode(TTreeView& tree) : tree_(tree) {}

  TTreeView& tree_;
  TTreeNode* parent_ = nullptr; // the hidden root for top-level nodes
  std::vector<std::unique_ptr<TTreeNode>> children_;
  std::string text_;
  int imageIndex_ = -1;
  int selectedIndex_ = -1;
  int overlayIndex_ = -1;
  bool hasChildren_ = false;
  bool cut_ = false;
  bool expanded_ = false;
  HTREEITEM item_ = nullptr;
  int sortPosition_ = 0; // the place the window's sort gives the node

  void UpdateItem(UINT mask);
  void FillItem(TVITEMA& item, UINT mask);
  void ChildRemoved();
};

// The nodes of a tree view.
class TTreeNodes {
public:
  int Count() const;
  TTreeNode* GetFirstNode() const;
  // The node at that place in tree order.
  TTreeNode* Item(int index) const;

  // As the last (or first) sibling of sibling; top level when sibling is nullptr.
  TTreeNode* Add(TTreeNode* sibling, const std::string& text);
  TTreeNode* AddObject(TTreeNode* sibling, const std::string& text, void* data);
  TTreeNode* AddFirst(TTreeNode* sibling, const std::string& text);
  // As the last (or first) child of parent; top level when parent is nullptr.
  TTreeNode* AddChild(TTreeNode* parent, const std::string& text);
  // The images go to the window with the item: setting them after costs a message each.
  TTreeNode* AddChildObject(TTreeNode* parent, const std::string& text, void* data,
                            int imageIndex = -1, int selectedIndex = -1);
  TTreeNode* AddChildFirst(TTreeNode* parent, const std::string& text);
  // Before sibling.
  TTreeNode* Insert(TTreeNode* sibling, const std::string& text);
  void Delete(TTreeNode* node) { node->Delete(); }
  void Clear();
  // With stText, the parents whose children change inside an update are sorted once, at the
  // outermost EndUpdate, not at every change.
  void BeginUpdate();
  void EndUpdate();

private:
  friend class TTreeView;
  friend class TTreeNode;

  explicit TTreeNodes(TTreeView& tree);
  TTreeView& tree_;
  std::unique_ptr<TTreeNode> root_;
  int updateCount_ = 0;

  TTreeNode* AddAt(TTreeNode* parent, size_t position, const std::string& text, void* data,
                   int imageIndex = -1, int selectedIndex = -1);
};

using TTVChangedEvent = std::function<void(TObject* sender, TTreeNode* node)>;
using TTVCompareEvent =
    std::function<void(TObject* sender, TTreeNode* node1, TTreeNode* node2, int data, int& compare)>;

class TTreeView : public TControl {
public:
  TTreeNodes& Items() { return nodes_; }
  TTreeNode* Selected() const;
  void SetSelected(TTreeNode* node);
  TTreeNode* GetNodeAt(int x, int y);
  TTreeNode* DropTarget() const { return dropTarget_; }
  TTreeNode* TopItem();

  // Window styles: set them before the window is made.
  bool ReadOnly = false;
  bool HideSelection = true;
  bool ShowLines = true;
  bool ShowRoot = true;
  bool ShowButtons = true;
  // Opening a node closes the others.
  bool AutoExpand = false;
  TDragMode DragMode = TDragMode::dmManual;
  TImageList* Images() const { return images_; }
  void SetImages(TImageList* images);

  TSortType SortType() const { return sortType_; }
  void SetSortType(TSortType type);
  // Sorts every level (stably) with OnCompare, or by text without one.
  void AlphaSort();

  // Starts dragging the selected node: the tree follows the mouse until the button goes up.
  void BeginDrag();
  bool Dragging() const { return dragging_; }
  // The node being dragged.
  TTreeNode* DragNode() const { return dragNode_; }
  void EndDrag(bool drop);

  // Milliseconds between a selection and Change (OnChange); 0 at once.
  unsigned ChangeDelay() const { return changeDelay_; }
  void SetChangeDelay(unsigned delay);

  TTVChangedEvent OnChange;
  TTVCompareEvent OnCompare;
  // A label edit ended; text may be changed before the node takes it.
  std::function<void(TObject* sender, TTreeNode* node, std::string& text)> OnEdited;

protected:
  explicit TTreeView(TComponent* owner);
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void WndProc(TMessage& message) override;
  void Notification(TComponent* component, TOperation operation) override;
  void ColorChanged() override;
  void FontChanged() override;

  // May the node open? Asked before the window opens it, and by Expand from code.
  virtual bool CanExpand(TTreeNode* node);
  // May the node become the selection?
  virtual bool CanChange(TTreeNode* node);
  // May the node's label be edited? Not when ReadOnly.
  virtual bool CanEdit(TTreeNode* node);
  // The selection changed (after ChangeDelay): raises OnChange.
  virtual void Change(TTreeNode* node);
  // Change for the selection now, not after ChangeDelay.
  void ChangeNow();
  // The node goes (once for each node, children included), still whole.
  virtual void Delete(TTreeNode* node);
  // A label edit ended with text: OnEdited, then the node takes it.
  virtual void Edit(TTreeNode* node, const std::string& text);
  // With ImagesByCallback the window asks for the images when it draws a node; by default the
  // node's own indexes.
  virtual int GetImageIndex(TTreeNode* node);
  virtual int GetSelectedIndex(TTreeNode* node);
  // Set before the window is made.
  bool ImagesByCallback = false;

private:
  friend class TTreeNode;
  friend class TTreeNodes;

  TTreeNodes nodes_;
  TImageList* images_ = nullptr;
  TSortType sortType_ = TSortType::stNone;
  TTreeNode* selected_ = nullptr;
  TTreeNode* dropTarget_ = nullptr;
  TTreeNode* dragNode_ = nullptr;
  bool dragging_ = false;
  bool dragEntered_ = false;
  bool dragAccepted_ = false;
  POINT dragPoint_{};
  unsigned changeDelay_ = 0;
  TTimer* changeTimer_ = nullptr;
  // Inside Clear: the window's moves of the selection are not changes.
  bool clearing_ = false;
  // Inside an Expand from code, which asked CanExpand already.
  bool expandingFromCode_ = false;
  // Parents to sort at the outermost EndUpdate.
  std::vector<TTreeNode*> pendingSorts_;

  void InsertItem(TTreeNode* node);
  void InsertItems(TTreeNode* parent);
  void ForgetItems(TTreeNode* node);
  void SortChildren(TTreeNode* parent, bool recurse);
  void SortChildrenBy(TTreeNode* parent,
                      const std::function<int(TTreeNode* left, TTreeNode* right)>& compare);
  void SortLater(TTreeNode* parent);
  void SortPending();
  int CompareNodes(TTreeNode* left, TTreeNode* right);
  TTreeNode* NodeOfItem(HTREEITEM item) const;
  void NodeRemoved(TTreeNode* node);
  void NodesDeleted(TTreeNode* node);
  void SelectionChanged(TTreeNode* node);
  void ChangeTimerTick();
  void SetDropTarget(TTreeNode* node);
  void DragMove(int x, int y);
  bool HandleNotify(TMessage& message);
  void ApplyColors();
  static int CALLBACK CompareSortPositions(LPARAM left, LPARAM right, LPARAM);
};

} // namespace quolin
