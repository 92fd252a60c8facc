#include "ui/TreeView.h"

#include "core/Exceptions.h"
#include "ui/Application.h"
#include "ui/Graphics.h"
#include "ui/Timer.h"

#include <algorithm>
#include <utility>

namespace quolin {

namespace {


int MessageX(const TMessage& message) {
  return static_cast<short>(LOWORD(message.LParam));
}

int MessageY(const TMessage& message) {
  return static_cast<short>(HIWORD(message.LParam));
}

bool IsWithin(const TTreeNode* node, const TTreeNode* ancestor) {
  for (; node; node = node->Parent())
    if (node == ancestor)
      return true;
  return false;
}

} // namespace

// --- TTreeNode ---

void TTreeNode::SetText(const std::string& text) {
  if (text == text_)
    return;
  text_ = text;
  UpdateItem(TVIF_TEXT);
  if (tree_.sortType_ == TSortType::stText)
    tree_.SortLater(parent_);
}

void TTreeNode::SetImageIndex(int index) {
  if (index == imageIndex_)
    return;
  imageIndex_ = index;
  UpdateItem(TVIF_IMAGE);
}

void TTreeNode::SetSelectedIndex(int index) {
  if (index == selectedIndex_)
    return;
  selectedIndex_ = index;
  UpdateItem(TVIF_SELECTEDIMAGE);
}

void TTreeNode::SetHasChildren(bool hasChildren) {
  if (hasChildren == hasChildren_)
    return;
  hasChildren_ = hasChildren;
  UpdateItem(TVIF_CHILDREN);
}

void TTreeNode::SetOverlayIndex(int index) {
  if (index == overlayIndex_)
    return;
  overlayIndex_ = index;
  UpdateItem(TVIF_STATE);
}

void TTreeNode::SetCut(bool cut) {
  if (cut == cut_)
    return;
  cut_ = cut;
  UpdateItem(TVIF_STATE);
}

bool TTreeNode::DropTarget() const {
  return tree_.dropTarget_ == this;
}

void TTreeNode::SetDropTarget(bool target) {
  if (target)
    tree_.SetDropTarget(this);
  else if (DropTarget())
    tree_.SetDropTarget(nullptr);
}

void TTreeNode::FillItem(TVITEMA& item, UINT mask) {
  item.mask = mask;
  item.pszText = text_.data();
  const bool callback = tree_.ImagesByCallback;
  item.iImage = callback ? I_IMAGECALLBACK : imageIndex_;
  item.iSelectedImage = callback ? I_IMAGECALLBACK : selectedIndex_;
  item.cChildren = hasChildren_ ? 1 : 0;
  item.state = (cut_ ? TVIS_CUT : 0) |
               (overlayIndex_ >= 0 ? INDEXTOOVERLAYMASK(overlayIndex_ + 1) : 0);
  item.stateMask = TVIS_CUT | TVIS_OVERLAYMASK;
  item.lParam = reinterpret_cast<LPARAM>(this);
}

void TTreeNode::UpdateItem(UINT mask) {
  if (!item_ || !tree_.HandleAllocated())
    return;
  TVITEMA item{};
  FillItem(item, mask | TVIF_HANDLE);
  item.hItem = item_;
  SendMessageA(tree_.Handle(), TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

// The button goes with the last child.
void TTreeNode::ChildRemoved() {
  if (children_.empty() && this != tree_.nodes_.root_.get())
    SetHasChildren(false);
}

TTreeNode* TTreeNode::Parent() const {
  return parent_ == tree_.nodes_.root_.get() ? nullptr : parent_;
}

int TTreeNode::Index() const {
  if (!parent_)
    return -1;
  auto& siblings = parent_->children_;
  for (size_t i = 0; i < siblings.size(); ++i)
    if (siblings[i].get() == this)
      return static_cast<int>(i);
  return -1;
}

int TTreeNode::Level() const {
  int level = 0;
  for (TTreeNode* walk = Parent(); walk; walk = walk->Parent())
    ++level;
  return level;
}

int TTreeNode::AbsoluteIndex() const {
  int index = 0;
  for (TTreeNode* node = tree_.nodes_.GetFirstNode(); node && node != this; node = node->GetNext())
    ++index;
  return index;
}

TTreeNode* TTreeNode::GetNextSibling() const {
  int index = Index();
  return index >= 0 && index + 1 < parent_->Count() ? parent_->Item(index + 1) : nullptr;
}

TTreeNode* TTreeNode::GetPrevSibling() const {
  int index = Index();
  return index > 0 ? parent_->Item(index - 1) : nullptr;
}

TTreeNode* TTreeNode::GetNext() const {
  if (!children_.empty())
    return children_.front().get();
  for (const TTreeNode* walk = this; walk && walk->parent_; walk = walk->Parent())
    if (TTreeNode* sibling = walk->GetNextSibling())
      return sibling;
  return nullptr;
}

TTreeNode* TTreeNode::GetPrev() const {
  TTreeNode* node = GetPrevSibling();
  if (!node)
    return Parent();
  while (node->Count() > 0)
    node = node->GetLastChild();
  return node;
}

bool TTreeNode::Expanded() const {
  if (!item_ || !tree_.HandleAllocated())
    return expanded_;
  return (SendMessageA(tree_.Handle(), TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item_),
                       TVIS_EXPANDED) &
          TVIS_EXPANDED) != 0;
}

// The window asks CanExpand only until a node was once expanded: code asks it every time.
void TTreeNode::SetExpanded(bool expanded) {
  if (expanded && item_ && tree_.HandleAllocated() && !Expanded() && !tree_.CanExpand(this))
    return;
  expanded_ = expanded;
  if (!item_ || !tree_.HandleAllocated())
    return;
  const bool nested = std::exchange(tree_.expandingFromCode_, true);
  SendMessageA(tree_.Handle(), TVM_EXPAND, expanded ? TVE_EXPAND : TVE_COLLAPSE,
               reinterpret_cast<LPARAM>(item_));
  tree_.expandingFromCode_ = nested;
}

void TTreeNode::Expand(bool recurse) {
  SetExpanded(true);
  if (recurse)
    for (auto& child : children_)
      child->Expand(true);
}

void TTreeNode::Collapse(bool recurse) {
  SetExpanded(false);
  if (recurse)
    for (auto& child : children_)
      child->Collapse(true);
}

bool TTreeNode::Selected() const {
  return tree_.Selected() == this;
}

void TTreeNode::SetSelected(bool selected) {
  if (selected)
    tree_.SetSelected(this);
  else if (Selected())
    tree_.SetSelected(nullptr);
}

void TTreeNode::MakeVisible() {
  if (item_ && tree_.HandleAllocated())
    SendMessageA(tree_.Handle(), TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item_));
}

void TTreeNode::CustomSort(const std::function<int(TTreeNode* left, TTreeNode* right)>& compare) {
  tree_.SortChildrenBy(this, compare);
}

bool TTreeNode::EditText() {
  return item_ && tree_.HandleAllocated() &&
         SendMessageA(tree_.Handle(), TVM_EDITLABELA, 0, reinterpret_cast<LPARAM>(item_)) != 0;
}

void TTreeNode::Delete() {
  TTreeView& tree = tree_;
  tree.NodeRemoved(this);
  tree.NodesDeleted(this);
  if (item_ && tree.HandleAllocated())
    SendMessageA(tree.Handle(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(item_));
  TTreeNode* parent = parent_;
  auto& siblings = parent->children_;
  auto found = std::find_if(siblings.begin(), siblings.end(),
                            [this](auto& child) { return child.get() == this; });
  if (found != siblings.end())
    siblings.erase(found); // frees this node
  parent->ChildRemoved();
}

void TTreeNode::DeleteChildren() {
  while (!children_.empty())
    children_.back()->Delete();
  ChildRemoved();
}

void TTreeNode::MoveTo(TTreeNode* destination, TNodeAttachMode mode) {
  if (IsWithin(destination, this))
    throw EInvalidOperation("Cannot move a node into itself");
  TTreeNode* root = tree_.nodes_.root_.get();
  bool asChild = mode == TNodeAttachMode::naAddChild || mode == TNodeAttachMode::naAddChildFirst;
  TTreeNode* newParent = asChild ? (destination ? destination : root)
                                 : (destination ? destination->parent_ : root);
  bool wasSelected = IsWithin(tree_.Selected(), this);
  TTreeNode* selected = tree_.Selected();
  // Take the node out of its place, window item included.
  if (item_ && tree_.HandleAllocated())
    SendMessageA(tree_.Handle(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(item_));
  tree_.ForgetItems(this);
  auto& oldSiblings = parent_->children_;
  auto found = std::find_if(oldSiblings.begin(), oldSiblings.end(),
                            [this](auto& child) { return child.get() == this; });
  std::unique_ptr<TTreeNode> self = std::move(*found);
  oldSiblings.erase(found);
  parent_->ChildRemoved();
  size_t position = newParent->children_.size();
  if (mode == TNodeAttachMode::naAddFirst || mode == TNodeAttachMode::naAddChildFirst)
    position = 0;
  else if (mode == TNodeAttachMode::naInsert && destination)
    position = static_cast<size_t>(destination->Index());
  parent_ = newParent;
  newParent->children_.insert(newParent->children_.begin() + static_cast<std::ptrdiff_t>(position),
                              std::move(self));
  if (newParent != root)
    newParent->SetHasChildren(true);
  tree_.InsertItem(this);
  if (tree_.sortType_ == TSortType::stText)
    tree_.SortLater(newParent);
  if (wasSelected)
    tree_.SetSelected(selected);
}

// --- TTreeNodes ---

TTreeNodes::TTreeNodes(TTreeView& tree) : tree_(tree), root_(new TTreeNode(tree)) {
  root_->item_ = TVI_ROOT;
}

int TTreeNodes::Count() const {
  int count = 0;
  for (TTreeNode* node = GetFirstNode(); node; node = node->GetNext())
    ++count;
  return count;
}

TTreeNode* TTreeNodes::GetFirstNode() const {
  return root_->GetFirstChild();
}

TTreeNode* TTreeNodes::Item(int index) const {
  TTreeNode* node = GetFirstNode();
  for (; node && index > 0; --index)
    node = node->GetNext();
  return index == 0 ? node : nullptr;
}

TTreeNode* TTreeNodes::AddAt(TTreeNode* parent, size_t position, const std::string& text,
                             void* data, int imageIndex, int selectedIndex) {
  TTreeNode* owner = parent ? parent : root_.get();
  std::unique_ptr<TTreeNode> node(new TTreeNode(tree_));
  node->text_ = text;
  node->Data = data;
  node->imageIndex_ = imageIndex;
  node->selectedIndex_ = selectedIndex;
  node->parent_ = owner;
  TTreeNode* added = node.get();
  position = std::min(position, owner->children_.size());
  owner->children_.insert(owner->children_.begin() + static_cast<std::ptrdiff_t>(position), std::move(node));
  if (parent)
    parent->SetHasChildren(true);
  tree_.InsertItem(added);
  if (tree_.sortType_ == TSortType::stText)
    tree_.SortLater(owner);
  return added;
}

TTreeNode* TTreeNodes::Add(TTreeNode* sibling, const std::string& text) {
  return AddObject(sibling, text, nullptr);
}

TTreeNode* TTreeNodes::AddObject(TTreeNode* sibling, const std::string& text, void* data) {
  TTreeNode* parent = sibling ? sibling->Parent() : nullptr;
  return AddAt(parent, static_cast<size_t>(-1), text, data);
}

TTreeNode* TTreeNodes::AddFirst(TTreeNode* sibling, const std::string& text) {
  return AddAt(sibling ? sibling->Parent() : nullptr, 0, text, nullptr);
}

TTreeNode* TTreeNodes::AddChild(TTreeNode* parent, const std::string& text) {
  return AddChildObject(parent, text, nullptr);
}

TTreeNode* TTreeNodes::AddChildObject(TTreeNode* parent, const std::string& text, void* data,
                                      int imageIndex, int selectedIndex) {
  return AddAt(parent, static_cast<size_t>(-1), text, data, imageIndex, selectedIndex);
}

TTreeNode* TTreeNodes::AddChildFirst(TTreeNode* parent, const std::string& text) {
  return AddAt(parent, 0, text, nullptr);
}

TTreeNode* TTreeNodes::Insert(TTreeNode* sibling, const std::string& text) {
  if (!sibling)
    return Add(nullptr, text);
  return AddAt(sibling->Parent(), static_cast<size_t>(sibling->Index()), text, nullptr);
}

void TTreeNodes::Clear() {
  tree_.selected_ = nullptr;
  tree_.dropTarget_ = nullptr;
  tree_.dragNode_ = nullptr;
  tree_.pendingSorts_.clear();
  for (auto& child : root_->children_)
    tree_.NodesDeleted(child.get());
  const bool nested = std::exchange(tree_.clearing_, true);
  if (tree_.HandleAllocated())
    SendMessageA(tree_.Handle(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
  tree_.clearing_ = nested;
  root_->children_.clear();
}

void TTreeNodes::BeginUpdate() {
  if (updateCount_++ == 0 && tree_.HandleAllocated())
    SendMessageA(tree_.Handle(), WM_SETREDRAW, FALSE, 0);
}

void TTreeNodes::EndUpdate() {
  if (updateCount_ == 0 || --updateCount_ > 0)
    return;
  tree_.SortPending();
  if (!tree_.HandleAllocated())
    return;
  SendMessageA(tree_.Handle(), WM_SETREDRAW, TRUE, 0);
  tree_.Invalidate();
}

// --- TTreeView ---

TTreeView::TTreeView(TComponent* owner) : TControl(owner), nodes_(*this) {
  clickEvents_ = false;
  SetTabStop(true);
  SetColor(clWindow);
  SetBounds(0, 0, 121, 97);
}

void TTreeView::CreateParams(TCreateParams& params) {
  params.WinClassName = WC_TREEVIEWA;
  params.Native = true;
  params.Style |= (ShowLines ? TVS_HASLINES : 0) | (ShowRoot ? TVS_LINESATROOT : 0) |
                  (ShowButtons ? TVS_HASBUTTONS : 0) | (ReadOnly ? 0 : TVS_EDITLABELS) |
                  (AutoExpand ? TVS_SINGLEEXPAND : 0) |
                  (HideSelection ? 0 : TVS_SHOWSELALWAYS) |
                  (DragMode == TDragMode::dmManual ? TVS_DISABLEDRAGDROP : 0);
  params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TTreeView::CreateWnd() {
  ApplyColors();
  if (images_)
    SendMessageA(Handle(), TVM_SETIMAGELIST, TVSIL_NORMAL,
                 reinterpret_cast<LPARAM>(images_->Handle()));
  InsertItems(nodes_.root_.get());
  if (selected_)
    SetSelected(selected_);
}

void TTreeView::DestroyWnd() {
  selected_ = Selected();
  ForgetItems(nodes_.root_.get());
}

void TTreeView::ApplyColors() {
  if (!HandleAllocated())
    return;
  SendMessageA(Handle(), TVM_SETBKCOLOR, 0, static_cast<LPARAM>(ColorToRGB(Color())));
  SendMessageA(Handle(), TVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(ColorToRGB(Font().Color())));
}

void TTreeView::ColorChanged() {
  TControl::ColorChanged();
  ApplyColors();
}

void TTreeView::FontChanged() {
  TControl::FontChanged();
  ApplyColors();
}

void TTreeView::InsertItem(TTreeNode* node) {
  if (!HandleAllocated() || !node->parent_->item_)
    return;
  TVINSERTSTRUCTA insert{};
  insert.hParent = node->parent_->item_;
  // The common case, an added last child, needs no search for the previous sibling.
  const auto& siblings = node->parent_->children_;
  TTreeNode* previous = siblings.back().get() == node
                            ? (siblings.size() > 1 ? siblings[siblings.size() - 2].get() : nullptr)
                            : node->GetPrevSibling();
  insert.hInsertAfter = previous ? previous->item_ : TVI_FIRST;
  node->FillItem(insert.item, TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE |
                                  TVIF_CHILDREN | TVIF_STATE);
  node->item_ = reinterpret_cast<HTREEITEM>(
      SendMessageA(Handle(), TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
  InsertItems(node);
}

void TTreeView::InsertItems(TTreeNode* parent) {
  for (auto& child : parent->children_)
    if (!child->item_)
      InsertItem(child.get());
  // Reopened as it was, without asking again.
  if (parent->expanded_ && parent != nodes_.root_.get())
    SendMessageA(Handle(), TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(parent->item_));
}

void TTreeView::ForgetItems(TTreeNode* node) {
  if (node != nodes_.root_.get()) {
    node->expanded_ = node->Expanded();
    node->item_ = nullptr;
  }
  for (auto& child : node->children_)
    ForgetItems(child.get());
}

int TTreeView::CompareNodes(TTreeNode* left, TTreeNode* right) {
  if (OnCompare) {
    int compare = 0;
    OnCompare(this, left, right, 0, compare);
    return compare;
  }
  return lstrcmpA(left->text_.c_str(), right->text_.c_str());
}

int CALLBACK TTreeView::CompareSortPositions(LPARAM left, LPARAM right, LPARAM) {
  return reinterpret_cast<TTreeNode*>(left)->sortPosition_ -
         reinterpret_cast<TTreeNode*>(right)->sortPosition_;
}

void TTreeView::SortChildren(TTreeNode* parent, bool recurse) {
  SortChildrenBy(parent, [this](TTreeNode* left, TTreeNode* right) {
    return CompareNodes(left, right);
  });
  if (recurse)
    for (auto& child : parent->children_)
      SortChildren(child.get(), true);
}

void TTreeView::SortChildrenBy(TTreeNode* parent,
                               const std::function<int(TTreeNode* left, TTreeNode* right)>& compare) {
  auto& children = parent->children_;
  auto less = [&compare](auto& left, auto& right) { return compare(left.get(), right.get()) < 0; };
  // The window's items stand in the children's order: children in order need no window sort,
  // which costs as much as inserting them again.
  bool ordered = std::is_sorted(children.begin(), children.end(), less);
  if (!ordered)
    std::stable_sort(children.begin(), children.end(), less);
  if (!ordered && HandleAllocated() && parent->item_ && children.size() > 1) {
    // The window takes the order just made.
    for (size_t i = 0; i < children.size(); ++i)
      children[i]->sortPosition_ = static_cast<int>(i);
    TVSORTCB sort{parent->item_, CompareSortPositions, 0};
    SendMessageA(Handle(), TVM_SORTCHILDRENCB, 0, reinterpret_cast<LPARAM>(&sort));
  }
}

void TTreeView::SortLater(TTreeNode* parent) {
  if (nodes_.updateCount_ == 0) {
    SortChildren(parent, false);
    return;
  }
  if (std::find(pendingSorts_.begin(), pendingSorts_.end(), parent) == pendingSorts_.end())
    pendingSorts_.push_back(parent);
}

void TTreeView::SortPending() {
  std::vector<TTreeNode*> parents;
  parents.swap(pendingSorts_);
  for (TTreeNode* parent : parents)
    SortChildren(parent, false);
}

void TTreeView::SetSortType(TSortType type) {
  sortType_ = type;
  if (type == TSortType::stText)
    AlphaSort();
}

void TTreeView::AlphaSort() {
  SortChildren(nodes_.root_.get(), true);
}

void TTreeView::SetImages(TImageList* images) {
  if (images_)
    RemoveFreeNotification(images_);
  images_ = images;
  if (images)
    FreeNotification(images);
  if (HandleAllocated())
    SendMessageA(Handle(), TVM_SETIMAGELIST, TVSIL_NORMAL,
                 reinterpret_cast<LPARAM>(images ? images->Handle() : nullptr));
}

void TTreeView::Notification(TComponent* component, TOperation operation) {
  TControl::Notification(component, operation);
  if (operation == TOperation::opRemove && component == images_)
    SetImages(nullptr);
}

TTreeNode* TTreeView::NodeOfItem(HTREEITEM item) const {
  if (!item || !WindowHandle())
    return nullptr;
  TVITEMA info{};
  info.mask = TVIF_PARAM | TVIF_HANDLE;
  info.hItem = item;
  if (!SendMessageA(WindowHandle(), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&info)))
    return nullptr;
  return reinterpret_cast<TTreeNode*>(info.lParam);
}

TTreeNode* TTreeView::Selected() const {
  if (!WindowHandle())
    return selected_;
  return NodeOfItem(reinterpret_cast<HTREEITEM>(
      SendMessageA(WindowHandle(), TVM_GETNEXTITEM, TVGN_CARET, 0)));
}

void TTreeView::SetSelected(TTreeNode* node) {
  selected_ = node;
  if (HandleAllocated())
    SendMessageA(Handle(), TVM_SELECTITEM, TVGN_CARET,
                 reinterpret_cast<LPARAM>(node ? node->item_ : nullptr));
}

TTreeNode* TTreeView::GetNodeAt(int x, int y) {
  TVHITTESTINFO hit{};
  hit.pt = POINT{x, y};
  SendMessageA(Handle(), TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
  if (!(hit.flags & (TVHT_ONITEM | TVHT_ONITEMRIGHT | TVHT_ONITEMINDENT | TVHT_ONITEMBUTTON)))
    return nullptr;
  return NodeOfItem(hit.hItem);
}

TTreeNode* TTreeView::TopItem() {
  return NodeOfItem(
      reinterpret_cast<HTREEITEM>(SendMessageA(Handle(), TVM_GETNEXTITEM, TVGN_FIRSTVISIBLE, 0)));
}

void TTreeView::NodesDeleted(TTreeNode* node) {
  for (auto& child : node->children_)
    NodesDeleted(child.get());
  Delete(node);
}

void TTreeView::NodeRemoved(TTreeNode* node) {
  std::erase_if(pendingSorts_, [node](TTreeNode* parent) { return IsWithin(parent, node); });
  if (IsWithin(selected_, node))
    selected_ = nullptr;
  if (IsWithin(dropTarget_, node))
    SetDropTarget(nullptr);
  if (IsWithin(dragNode_, node)) {
    EndDrag(false);
    dragNode_ = nullptr;
  }
}

void TTreeView::SetDropTarget(TTreeNode* node) {
  dropTarget_ = node;
  if (HandleAllocated())
    SendMessageA(Handle(), TVM_SELECTITEM, TVGN_DROPHILITE,
                 reinterpret_cast<LPARAM>(node ? node->item_ : nullptr));
}

void TTreeView::BeginDrag() {
  if (dragging_)
    return;
  if (!dragNode_)
    dragNode_ = Selected();
  dragging_ = true;
  dragEntered_ = false;
  dragAccepted_ = false;
  SetCapture(Handle());
  if (OnStartDrag && EventsAllowed())
    OnStartDrag(this);
}

void TTreeView::DragMove(int x, int y) {
  dragPoint_ = POINT{x, y};
  RECT client = ClientRect();
  bool accept = false;
  if (PtInRect(&client, dragPoint_) && OnDragOver && EventsAllowed()) {
    accept = true;
    OnDragOver(this, this, x, y, dragEntered_ ? TDragState::dsDragMove : TDragState::dsDragEnter,
               accept);
    dragEntered_ = true;
  }
  dragAccepted_ = accept;
  SetDropTarget(accept ? GetNodeAt(x, y) : nullptr);
  ::SetCursor(Screen->CursorHandle(accept ? crDrag : crNoDrop));
}

void TTreeView::EndDrag(bool drop) {
  if (!dragging_)
    return;
  dragging_ = false;
  if (GetCapture() == WindowHandle())
    ReleaseCapture();
  bool dropped = drop && dragAccepted_;
  if (dropped && OnDragDrop && EventsAllowed())
    OnDragDrop(this, this, dragPoint_.x, dragPoint_.y);
  if (OnEndDrag && EventsAllowed())
    OnEndDrag(this, dropped ? this : nullptr, dragPoint_.x, dragPoint_.y);
  SetDropTarget(nullptr);
  dragNode_ = nullptr;
  Screen->SetCursor(Screen->Cursor());
}

bool TTreeView::HandleNotify(TMessage& message) {
  auto* header = reinterpret_cast<NMHDR*>(message.LParam);
  switch (header->code) {
  case TVN_SELCHANGINGA: {
    auto* change = reinterpret_cast<NMTREEVIEWA*>(message.LParam);
    auto* node = reinterpret_cast<TTreeNode*>(change->itemNew.lParam);
    message.Result = clearing_ || CanChange(node) ? FALSE : TRUE;
    return true;
  }
  case TVN_SELCHANGEDA:
    SelectionChanged(
        reinterpret_cast<TTreeNode*>(reinterpret_cast<NMTREEVIEWA*>(message.LParam)->itemNew.lParam));
    return true;
  case TVN_ITEMEXPANDINGA: {
    auto* change = reinterpret_cast<NMTREEVIEWA*>(message.LParam);
    auto* node = reinterpret_cast<TTreeNode*>(change->itemNew.lParam);
    // The low bits name the action (expand, collapse, toggle).
    const bool opening = (change->action & 3) == TVE_EXPAND;
    message.Result = opening && !expandingFromCode_ && node && !CanExpand(node) ? TRUE : FALSE;
    return true;
  }
  case TVN_GETDISPINFOA: {
    TVITEMA& item = reinterpret_cast<NMTVDISPINFOA*>(message.LParam)->item;
    auto* node = reinterpret_cast<TTreeNode*>(item.lParam);
    if (!node)
      return true;
    if (item.mask & TVIF_IMAGE)
      item.iImage = GetImageIndex(node);
    if (item.mask & TVIF_SELECTEDIMAGE)
      item.iSelectedImage = GetSelectedIndex(node);
    return true;
  }
  case TVN_BEGINDRAGA:
    if (DragMode == TDragMode::dmAutomatic) {
      dragNode_ = reinterpret_cast<TTreeNode*>(reinterpret_cast<NMTREEVIEWA*>(message.LParam)
                                                   ->itemNew.lParam);
      BeginDrag();
    }
    return true;
  case TVN_BEGINLABELEDITA: {
    auto* node = reinterpret_cast<TTreeNode*>(
        reinterpret_cast<NMTVDISPINFOA*>(message.LParam)->item.lParam);
    message.Result = node && CanEdit(node) ? FALSE : TRUE;
    return true;
  }
  case TVN_ENDLABELEDITA: {
    auto* info = reinterpret_cast<NMTVDISPINFOA*>(message.LParam);
    auto* node = reinterpret_cast<TTreeNode*>(info->item.lParam);
    message.Result = FALSE;
    if (info->item.pszText && node)
      Edit(node, info->item.pszText);
    return true;
  }
  default:
    return false;
  }
}

void TTreeView::SetChangeDelay(unsigned delay) {
  changeDelay_ = delay;
  if (delay == 0 && changeTimer_)
    changeTimer_->SetEnabled(false);
}

void TTreeView::SelectionChanged(TTreeNode* node) {
  selected_ = node;
  if (clearing_)
    return;
  if (changeDelay_ == 0) {
    Change(node);
    return;
  }
  if (!changeTimer_) {
    changeTimer_ = TComponent::Create<TTimer>(this);
    changeTimer_->OnTimer = [this](TObject*) { ChangeTimerTick(); };
  }
  changeTimer_->SetEnabled(false);
  changeTimer_->SetInterval(changeDelay_);
  changeTimer_->SetEnabled(true);
}

void TTreeView::ChangeTimerTick() {
  ChangeNow();
}

void TTreeView::ChangeNow() {
  if (changeTimer_)
    changeTimer_->SetEnabled(false);
  Change(Selected());
}

bool TTreeView::CanExpand(TTreeNode*) {
  return true;
}

bool TTreeView::CanChange(TTreeNode*) {
  return true;
}

bool TTreeView::CanEdit(TTreeNode*) {
  return !ReadOnly;
}

void TTreeView::Change(TTreeNode* node) {
  if (OnChange && EventsAllowed())
    OnChange(this, node);
}

void TTreeView::Delete(TTreeNode*) {}

void TTreeView::Edit(TTreeNode* node, const std::string& text) {
  std::string edited = text;
  if (OnEdited && EventsAllowed())
    OnEdited(this, node, edited);
  node->SetText(edited);
}

int TTreeView::GetImageIndex(TTreeNode* node) {
  return node->imageIndex_;
}

int TTreeView::GetSelectedIndex(TTreeNode* node) {
  return node->selectedIndex_;
}

void TTreeView::WndProc(TMessage& message) {
  if (dragging_) {
    switch (message.Msg) {
    case WM_MOUSEMOVE:
      DragMove(MessageX(message), MessageY(message));
      return;
    case WM_LBUTTONUP:
      DragMove(MessageX(message), MessageY(message));
      EndDrag(true);
      return;
    case WM_RBUTTONDOWN:
      EndDrag(false);
      return;
    case WM_KEYDOWN:
      if (message.WParam == VK_ESCAPE) {
        EndDrag(false);
        return;
      }
      break;
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(message.LParam) != WindowHandle())
        EndDrag(false);
      break;
    default:
      break;
    }
  }
  if (message.Msg == CN_NOTIFY && HandleNotify(message))
    return;
  TControl::WndProc(message);
}

} // namespace quolin
