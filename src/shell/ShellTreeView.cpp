#include "shell/ShellTreeView.h"

#include "common/CodePage.h"
#include "core/ChildMerge.h"
#include "core/Paths.h"
#include "shell/ShellUtils.h"

#include <dbt.h>
#include <ole2.h>
#include <shlobj.h>

#include <cstdlib>
#include <cstring>
#include <set>

namespace quolin {

namespace {

constexpr int kDragDistance = 6;
constexpr int kHoverExpandCount = 30;
// Icon, label or state icon: a press there is the tree's own.
constexpr UINT kItemHit = TVHT_ONITEMICON | TVHT_ONITEMLABEL | TVHT_ONITEMSTATEICON;
constexpr int saCanCopy = 0;
constexpr int saCanMove = 1;
constexpr int saCanLink = 2;
constexpr int saHasSubFolder = 17;

int MessageX(const TMessage& message) {
  return static_cast<short>(LOWORD(message.LParam));
}

int MessageY(const TMessage& message) {
  return static_cast<short>(HIWORD(message.LParam));
}

// The roots of the fixed drives; more drive letters than the first buffer holds ask again with
// the size the system gives.
void FixedDriveRoots(TStringList& roots) {
  std::vector<char> buffer(81);
  DWORD length = GetLogicalDriveStringsA(static_cast<DWORD>(buffer.size()), buffer.data());
  if (length >= buffer.size()) {
    buffer.assign(length + 1, '\0');
    length = GetLogicalDriveStringsA(static_cast<DWORD>(buffer.size()), buffer.data());
  }
  roots.Clear();
  if (length == 0 || length >= buffer.size())
    return;
  for (const char* root = buffer.data(); *root; root += std::strlen(root) + 1) {
    if (GetDriveTypeA(root) == DRIVE_FIXED)
      roots.Add(root);
  }
}

// Whether the drive's volume can be read, without the system's box for an empty drive.
bool VolumeReadable(const std::string& root) {
  const UINT old = SetErrorMode(SEM_FAILCRITICALERRORS);
  char label[MAX_PATH + 1] = {};
  const bool readable = GetVolumeInformationA(root.c_str(), label, sizeof label, nullptr, nullptr,
                                              nullptr, nullptr, 0) != 0;
  SetErrorMode(old);
  return readable;
}

} // namespace

// --- TShellFolderItem ---

TShellFolderItem::TShellFolderItem(LPITEMIDLIST relative, LPITEMIDLIST absolute)
    : TShellAbsoluteItem(relative, absolute) {
}

int TShellFolderItem::GetIndex() {
  return Node ? Node->AbsoluteIndex() : -1;
}

void TShellFolderItem::AttachTo(TTreeNode* node) {
  Node = node;
  node->Data = this;
  node->SetHasChildren(HasAttribute(saHasSubFolder));
  node->SetOverlayIndex(GetOverlayIndex());
}

// The name is given as it was read: in the folder, for editing.
bool TShellFolderItem::Rename(const std::string& newName) {
  if (!Node)
    return false;
  auto& tree = static_cast<TShellTreeView&>(Node->TreeView());
  IShellFolder* folder = nullptr;
  LPITEMIDLIST renamed = nullptr;
  const std::wstring wide = AnsiToWide(newName);
  const bool done = HasAttribute(saCanRename) && GetParentFolder(folder) &&
                    SUCCEEDED(folder->SetNameOf(tree.Handle(), IDList.Get(), wide.c_str(),
                                                SHGDN_INFOLDER | SHGDN_FOREDITING, &renamed)) &&
                    renamed;
  if (done)
    Renamed(tree, folder, renamed);
  else
    FreeIDList(renamed);
  Node->SetText(GetDisplayName());
  return done;
}

// The node takes its new place among its siblings and is filled again from the new folder.
void TShellFolderItem::Renamed(TShellTreeView& tree, IShellFolder* parentFolder,
                               LPITEMIDLIST relative) {
  IDList.Reset(relative);
  AbsIDList.Reset(GetLevel() == 1 ? CopyIDList(relative)
                                  : ConcatIDLists(GetParentIDList(), relative));
  Name.clear();
  IconIndex = OpenIconIndex = -1;
  SHChangeNotify(0, SHCNF_FLUSH, nullptr, nullptr);
  const bool expanded = Node->Expanded();
  Node->DeleteChildren();
  if (TTreeNode* parent = Node->Parent()) {
    parent->CustomSort([parentFolder](TTreeNode* left, TTreeNode* right) {
      TShellFolderItem* a = TShellTreeView::ItemOf(left);
      TShellFolderItem* b = TShellTreeView::ItemOf(right);
      return a && b ? ShellOrder(parentFolder->CompareIDs(0, a->IDList.Get(), b->IDList.Get())) : 0;
    });
  }
  tree.FillNode(Node);
  if (expanded)
    Node->Expand(false);
}

// --- TShellTreeView ---

TShellTreeView::TShellTreeView(TComponent* owner)
    : TTreeView(owner), self_(std::make_shared<TShellTreeView*>(this)) {
  ImagesByCallback = true;
  FixedDriveRoots(watchedDrives_);
  std::shared_ptr<TShellTreeView*> self = self_;
  dirWatcher_ = TShDirWatcher::Create(
      nullptr, FILE_NOTIFY_CHANGE_DIR_NAME,
      [self](TShDirWatcher*, TDeviceChangeData& notice) {
        if (TShellTreeView* tree = *self)
          tree->DeviceNotice(notice);
      },
      [self](TShDirWatcher*) {
        if (TShellTreeView* tree = *self)
          tree->FolderChanged();
      },
      [self](TObject*) {
        if (TShellTreeView* tree = *self)
          tree->dirWatcher_ = nullptr;
      });
  dropTarget_ = TShellDropTarget::Create(this, this);
  dropSource_ = TShellDropSource::Create(this, this);
  if (TShellCtrlList* controls = ShellCtrlList()) {
    controls->Add(this);
    registered_ = true;
  }
}

// The nodes go here, while Delete still reaches this class and frees their items.
TShellTreeView::~TShellTreeView() {
  *self_ = nullptr;
  if (dirWatcher_)
    std::exchange(dirWatcher_, nullptr)->Stop();
  if (TShellCtrlList* controls = ShellCtrlList(); controls && registered_)
    controls->Remove(this);
  if (list_)
    list_->SetTreeLink(nullptr);
  if (combo_)
    combo_->SetTreeLink(nullptr);
  Items().Clear();
  if (HandleAllocated())
    RevokeDragDrop(Handle());
  // OLE may hold them longer than the tree lives.
  dropTarget_->Detach();
  dropSource_->Detach();
}

TShellFolderItem* TShellTreeView::ItemOf(TTreeNode* node) {
  return node ? static_cast<TShellFolderItem*>(node->Data) : nullptr;
}

bool TShellTreeView::IsShellNode(TTreeNode* node) const {
  TShellFolderItem* item = ItemOf(node);
  return item && item->IsValid();
}

void TShellTreeView::SetIncludeHidden(bool includeHidden) {
  if (includeHidden == includeHidden_)
    return;
  includeHidden_ = includeHidden;
  if (list_)
    list_->SetIncludeHidden(includeHidden);
  if (combo_)
    combo_->SetIncludeHidden(includeHidden);
  if (!Loading() && HandleAllocated()) {
    RefreshTree();
    ReloadCombo();
    ShowSelectedInList();
  }
}

void TShellTreeView::SetShVirtuaItems(TShVirtuaItems virtuals) {
  if (virtuals == virtuals_)
    return;
  virtuals_ = virtuals;
  if (list_)
    list_->SetShVirtuaItems(virtuals);
  if (combo_)
    combo_->SetShVirtuaItems(virtuals);
  if (!Loading() && HandleAllocated()) {
    RefreshTree();
    ReloadCombo();
    ShowSelectedInList();
  }
}

void TShellTreeView::SetCheckboxes(bool checkboxes) {
  if (checkboxes == checkboxes_)
    return;
  checkboxes_ = checkboxes;
  if (!HandleAllocated())
    return;
  // The window cannot drop the check boxes' images: it is made again without them.
  if (checkboxes)
    SetWindowStyleBit(Handle(), TVS_CHECKBOXES, true);
  else
    RecreateWnd();
}

void TShellTreeView::SetShellListView(TShellListView* list) {
  if (list == list_)
    return;
  if (list_) {
    list_->SetTreeLink(nullptr);
    RemoveFreeNotification(list_);
  }
  list_ = list;
  if (!list)
    return;
  list->SetTreeLink(this);
  list->SetShVirtuaItems(virtuals_);
  list->SetIncludeHidden(includeHidden_);
  FreeNotification(list);
  if (!Loading())
    ShowSelectedInList();
}

void TShellTreeView::ShowSelectedInList() {
  if (list_)
    list_->SetFolderIDList(GetSelectedIDList());
}

void TShellTreeView::SetShellComboBox(TShellComboBox* combo) {
  if (combo == combo_)
    return;
  if (combo_) {
    combo_->SetTreeLink(nullptr);
    RemoveFreeNotification(combo_);
  }
  combo_ = combo;
  if (!combo)
    return;
  combo->SetTreeLink(this);
  combo->SetShVirtuaItems(virtuals_);
  combo->SetIncludeHidden(includeHidden_);
  FreeNotification(combo);
  if (!Loading())
    ReloadCombo();
}

void TShellTreeView::ReloadCombo() {
  if (!combo_)
    return;
  combo_->Reload();
  combo_->SetIDList(GetSelectedIDList());
}

void TShellTreeView::RefreshWithCombo() {
  if (!combo_) {
    RefreshTree();
    return;
  }
  combo_->Items().BeginUpdate();
  combo_->Reload();
  RefreshTree();
  combo_->SetIDList(GetSelectedIDList());
  combo_->Items().EndUpdate();
}

void TShellTreeView::Notification(TComponent* component, TOperation operation) {
  TTreeView::Notification(component, operation);
  if (operation == TOperation::opRemove && component == list_)
    list_ = nullptr;
  if (operation == TOperation::opRemove && component == combo_)
    combo_ = nullptr;
  if (operation == TOperation::opRemove && component == shellPopupMenu_)
    shellPopupMenu_ = nullptr;
}

void TShellTreeView::SetShellPopupMenu(TShellPopupMenu* menu) {
  LinkShellPopupMenu(this, shellPopupMenu_, menu);
}

void TShellTreeView::Loaded() {
  TTreeView::Loaded();
  if (!Parent())
    return;
  HandleNeeded();
  RefreshTree();
  if (combo_) {
    combo_->SetShVirtuaItems(virtuals_);
    combo_->SetIncludeHidden(includeHidden_);
    ReloadCombo();
  }
  if (!list_)
    return;
  list_->SetShVirtuaItems(virtuals_);
  list_->SetIncludeHidden(includeHidden_);
  ShowSelectedInList();
}

void TShellTreeView::CreateParams(TCreateParams& params) {
  TTreeView::CreateParams(params);
  if (checkboxes_)
    params.Style |= TVS_CHECKBOXES;
}

void TShellTreeView::CreateWnd() {
  TTreeView::CreateWnd();
  recreating_ = false;
  SendMessageA(Handle(), TVM_SETIMAGELIST, TVSIL_NORMAL,
               reinterpret_cast<LPARAM>(GetSysImageList(false)));
  BuildRoot();
  if (savedIDList_) {
    TOwnedIDList saved(savedIDList_.Release());
    SelectIDList(saved.Get());
  }
  RegisterDragDrop(Handle(), dropTarget_.Get());
  StartWatching();
}

void TShellTreeView::DestroyWnd() {
  recreating_ = true;
  StopWatching();
  savedIDList_.Reset(CopyIDList(GetSelectedIDList()));
  Items().Clear();
  TTreeView::DestroyWnd();
}

void TShellTreeView::StartWatching() {
  if (dirWatcher_)
    dirWatcher_->SetFolders(&watchedDrives_);
}

void TShellTreeView::StopWatching() {
  if (dirWatcher_)
    dirWatcher_->SetFolders(nullptr);
}

TTreeNode* TShellTreeView::AddNode(TTreeNode* parent, TTreeNode* before,
                                   std::unique_ptr<TShellFolderItem> item) {
  const std::string& name = item->GetDisplayName();
  TTreeNode* node = before ? Items().Insert(before, name) : Items().AddChild(parent, name);
  item->AttachTo(node);
  items_[node] = std::move(item);
  return node;
}

void TShellTreeView::Delete(TTreeNode* node) {
  TTreeView::Delete(node);
  node->Data = nullptr;
  items_.erase(node);
}

void TShellTreeView::BuildRoot() {
  TOwnedIDList desktop;
  TOwnedIDList directory;
  if (!HandleAllocated() || !GetSpecialFolderIDList(sfDesktop, desktop.Out()) ||
      !GetSpecialFolderIDList(sfDesktopDirectory, directory.Out()))
    return;
  Items().BeginUpdate();
  Items().Clear();
  // The desktop's relative list is its folder, so that its path is the desktop folder's.
  TTreeNode* root = AddNode(
      nullptr, nullptr, std::make_unique<TShellFolderItem>(directory.Release(), desktop.Release()));
  root->Expand(false);
  if (TTreeNode* first = root->GetFirstChild()) {
    first->Expand(false);
    first->SetSelected(true);
  }
  Items().EndUpdate();
}

int TShellTreeView::EnumerateChildren(IShellFolder* folder, TShellFolderItem& parent,
                                      std::vector<std::unique_ptr<TShellFolderItem>>& items) {
  items = ListSubFolders<TShellFolderItem>(folder, Handle(), includeHidden_, parent, virtuals_,
                                           [](LPITEMIDLIST relative, LPITEMIDLIST absolute) {
                                             return std::make_unique<TShellFolderItem>(relative,
                                                                                       absolute);
                                           });
  return static_cast<int>(items.size());
}

void TShellTreeView::FillNode(TTreeNode* node) {
  TShellFolderItem* item = ItemOf(node);
  TComPtr<IShellFolder> folder;
  if (!item || !item->BindFolder(folder))
    return;
  std::vector<std::unique_ptr<TShellFolderItem>> fresh;
  EnumerateChildren(folder.Get(), *item, fresh);
  std::vector<TTreeNode*> children;
  for (int i = 0; i < node->Count(); ++i)
    children.push_back(node->Item(i));

  struct Steps final : TChildMergeSteps {
    TShellTreeView& tree;
    TTreeNode* node;
    IShellFolder* folder;
    std::vector<TTreeNode*>& children;
    std::vector<std::unique_ptr<TShellFolderItem>>& fresh;
    Steps(TShellTreeView& tree, TTreeNode* node, IShellFolder* folder,
          std::vector<TTreeNode*>& children, std::vector<std::unique_ptr<TShellFolderItem>>& fresh)
        : tree(tree), node(node), folder(folder), children(children), fresh(fresh) {}

    TMergeAnswer Compare(size_t child, size_t item) override {
      TShellFolderItem* old = ItemOf(children[child]);
      if (!old || !old->IsValid())
        return TMergeAnswer::Error;
      return static_cast<TMergeAnswer>(
          CompareIDLists(folder, old->IDList.Get(), fresh[item]->IDList.Get()));
    }
    void Keep(size_t, size_t) override {}
    void InsertBefore(size_t child, size_t item) override {
      tree.AddNode(node, children[child], std::move(fresh[item]));
    }
    void Delete(size_t child) override { children[child]->Delete(); }
    void Append(size_t item) override { tree.AddNode(node, nullptr, std::move(fresh[item])); }
  } steps(*this, node, folder.Get(), children, fresh);
  MergeChildren(children.size(), fresh.size(), steps);
}

void TShellTreeView::RefreshTree() {
  for (TTreeNode* node = Items().GetFirstNode(); node; node = node->GetNext()) {
    if (node->Expanded() || node->Count() > 0) {
      FillNode(node);
      continue;
    }
    if (TShellFolderItem* item = ItemOf(node); item && item->IsValid()) {
      node->SetHasChildren(item->HasAttribute(saHasSubFolder));
      node->SetOverlayIndex(item->GetOverlayIndex());
    }
  }
}

bool TShellTreeView::ExpandDuringDrag(TShellFolderItem& item) {
  const TShItemIDType type = item.GetItemType();
  if (type == TShItemIDType::itVirtual)
    return false;
  return item.GetLevel() < 2 || type != TShItemIDType::itRootDrive ||
         VolumeReadable(IncludeTrailingPathDelimiter(item.GetPath()));
}

bool TShellTreeView::CanExpand(TTreeNode* node) {
  TShellFolderItem* item = ItemOf(node);
  if (Destroying() || !item || !item->IsValid())
    return TTreeView::CanExpand(node);
  // A drag hovering over an empty drive must not wait for it.
  if (mouseState_ == 3 && !ExpandDuringDrag(*item))
    return false;
  FillNode(node);
  if (node->Count() == 0)
    node->SetHasChildren(false);
  return TTreeView::CanExpand(node);
}

bool TShellTreeView::CanChange(TTreeNode* node) {
  return mouseState_ != 1 && mouseState_ != 2 && !recreating_ && TTreeView::CanChange(node);
}

void TShellTreeView::Change(TTreeNode* node) {
  TTreeView::Change(node);
  if (!IsShellNode(node))
    return;
  if (combo_)
    combo_->SetIDList(ItemOf(node)->GetAbsoluteIDList());
  if (list_)
    list_->SetFolderIDList(ItemOf(node)->GetAbsoluteIDList());
}

int TShellTreeView::GetImageIndex(TTreeNode* node) {
  TShellFolderItem* item = ItemOf(node);
  return item ? item->GetIconIndex() : TTreeView::GetImageIndex(node);
}

int TShellTreeView::GetSelectedIndex(TTreeNode* node) {
  TShellFolderItem* item = ItemOf(node);
  return item ? item->GetOpenIconIndex() : TTreeView::GetSelectedIndex(node);
}

bool TShellTreeView::SelectPath(const std::string& path) {
  TOwnedIDList list;
  if (!PathToIDList(path, list.Out()))
    return false;
  SelectIDList(list.Get());
  return true;
}

void TShellTreeView::SelectIDList(LPCITEMIDLIST list) {
  if (!list)
    return;
  TTreeNode* selected = Selected();
  if (IsShellNode(selected)) {
    TShellFolderItem* item = ItemOf(selected);
    if (item->GetLevel() == GetIDListLevel(list) &&
        CompareIDLists(DesktopShellFolder().Get(), item->GetAbsoluteIDList(), list) == ioEqual)
      return;
  }
  if (TTreeNode* node = FindNode(list)) {
    node->SetSelected(true);
    node->MakeVisible();
  }
}

// Each level's children are in the folder's order: a child greater than the target steps back,
// a lesser one forward. A target that is not among them (a hidden folder, a filtered item)
// lies between a lesser and a greater sibling: stepping back to one found less gives the root
// instead of going to and fro for ever.
TTreeNode* TShellTreeView::FindNode(LPCITEMIDLIST list) {
  TTreeNode* root = Items().GetFirstNode();
  if (!root || !list)
    return root;
  TTreeNode* candidate = root->GetFirstChild();
  LPCITEMIDLIST target = list;
  std::set<TTreeNode*> foundLess;
  auto isChild = [](TTreeNode* parent, TTreeNode* node) {
    for (int i = 0; parent && i < parent->Count(); ++i)
      if (parent->Item(i) == node)
        return true;
    return false;
  };
  while (true) {
    TOwnedIDList wanted(CopyFirstItemID(target));
    IShellFolder* parentFolder = nullptr;
    if (!IsShellNode(candidate) || !wanted || !ItemOf(candidate)->GetParentFolder(parentFolder))
      return root;
    TTreeNode* parent = candidate->Parent();
    switch (CompareIDLists(parentFolder, ItemOf(candidate)->IDList.Get(), wanted.Get())) {
    case ioEqual: {
      target = NextItemID(target);
      if (ItemIDSize(target) == 0)
        return candidate;
      candidate->Expand(false);
      if (!candidate->GetFirstChild())
        FillNode(candidate);
      candidate = candidate->GetFirstChild();
      foundLess.clear();
      break;
    }
    case ioFirstGreater:
      if (combo_)
        combo_->Reload();
      FillNode(parent);
      if (!isChild(parent, candidate))
        return root;
      candidate = candidate->GetPrevSibling();
      if (foundLess.count(candidate))
        return root;
      break;
    case ioFirstLess:
      foundLess.insert(candidate);
      if (!candidate->GetNextSibling()) {
        FillNode(parent);
        if (!isChild(parent, candidate))
          return root;
      }
      candidate = candidate->GetNextSibling();
      break;
    default:
      return root;
    }
  }
}

bool TShellTreeView::GetSelectedPath(std::string& path) {
  path.clear();
  TTreeNode* selected = Selected();
  if (!IsShellNode(selected))
    return false;
  path = ItemOf(selected)->GetPath();
  return !path.empty();
}

LPCITEMIDLIST TShellTreeView::GetSelectedIDList() {
  TTreeNode* node = Selected();
  if (!IsShellNode(node))
    node = Items().GetFirstNode();
  TShellFolderItem* item = ItemOf(node);
  return item ? item->GetAbsoluteIDList() : nullptr;
}

// --- Label editing ---

bool TShellTreeView::CanEdit(TTreeNode* node) {
  if (mouseState_ != 0 || !IsShellNode(node))
    return false;
  return TTreeView::CanEdit(node) && ItemOf(node)->HasAttribute(saCanRename);
}

// The node shows the shell's new name, never the typed text.
void TShellTreeView::Edit(TTreeNode* node, const std::string& text) {
  TShellFolderItem* item = ItemOf(node);
  if (!item)
    return;
  StopWatching();
  if (list_)
    list_->StopWatching();
  if (item->Rename(text)) {
    if (combo_ && item->GetLevel() == 1)
      combo_->Reload();
    if (combo_)
      combo_->SetIDList(item->GetAbsoluteIDList());
    if (list_)
      list_->SetFolderIDList(item->GetAbsoluteIDList());
  }
  if (list_)
    list_->RestartWatching();
  StartWatching();
}

// --- Mouse ---

TTreeNode* TShellTreeView::HitNode(POINT client, UINT& flags) {
  TVHITTESTINFO hit{};
  hit.pt = client;
  SendMessageA(Handle(), TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
  flags = hit.flags;
  if (!hit.hItem)
    return nullptr;
  TVITEMA info{};
  info.mask = TVIF_PARAM | TVIF_HANDLE;
  info.hItem = hit.hItem;
  if (!SendMessageA(Handle(), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&info)))
    return nullptr;
  return reinterpret_cast<TTreeNode*>(info.lParam);
}

void TShellTreeView::ClearHighlight() {
  if (TTreeNode* target = DropTarget())
    target->SetDropTarget(false);
}

void TShellTreeView::ButtonReleased() {
  mouseState_ = 0;
  ClearHighlight();
}

// The native tree would select at once and run its own drag detection: the press on a node is
// the tree's, which selects on release.
void TShellTreeView::LeftPressed(TMessage& message) {
  UINT flags = 0;
  TTreeNode* node = HitNode(POINT{MessageX(message), MessageY(message)}, flags);
  if (!node || !(flags & kItemHit)) {
    ClearHighlight();
    TTreeView::WndProc(message);
    return;
  }
  node->SetDropTarget(true);
  mouseState_ = 1;
  pressPoint_ = POINT{MessageX(message), MessageY(message)};
  if (CanFocus())
    ::SetFocus(Handle());
  SetCapture(Handle());
  message.Result = 0;
}

// State 0 first: CanChange would refuse the tree's own selection.
void TShellTreeView::LeftReleased() {
  TTreeNode* node = DropTarget();
  mouseState_ = 0;
  if (GetCapture() == Handle())
    ReleaseCapture();
  ClearHighlight();
  if (!node)
    return;
  node->SetSelected(true);
  if (AutoExpand && Selected() == node)
    ChangeNow();
}

bool TShellTreeView::RightPressed(TMessage& message) {
  UINT flags = 0;
  TTreeNode* node = HitNode(POINT{MessageX(message), MessageY(message)}, flags);
  if (!IsShellNode(node) || ItemOf(node)->GetLevel() < 1)
    return false;
  node->SetDropTarget(true);
  mouseState_ = 2;
  pressPoint_ = POINT{MessageX(message), MessageY(message)};
  return true;
}

// The point is on the screen; a key's request (-1, -1) shows the menu at the corner. Without
// a linked menu nothing else ends the right button's press.
void TShellTreeView::DoContextPopup(POINT point, bool& handled) {
  TTreeView::DoContextPopup(point, handled);
  TTreeNode* node = DropTarget();
  if (handled || mouseState_ != 2 || !shellPopupMenu_ || !IsShellNode(node) ||
      ItemOf(node)->GetLevel() < 1) {
    ButtonReleased();
    return;
  }
  if (point.x == -1 && point.y == -1)
    point = ClientToScreen(POINT{0, 0});
  StopWatching();
  TShellFolderItem* item = ItemOf(node);
  selectedIDs_.Clear();
  selectedIDs_.ParentIDList.Reset(CopyIDList(item->GetParentIDList()));
  selectedIDs_.Add(CopyIDList(item->IDList.Get()));
  shellPopupMenu_->SetOwnerControl(this);
  const int code = shellPopupMenu_->Popup(selectedIDs_, point);
  ButtonReleased(); // the selection may move now
  FollowShellCommand(node, code);
  StartWatching();
  handled = true;
}

// A deleted folder's node goes with the refresh: its parent is shown first.
void TShellTreeView::FollowShellCommand(TTreeNode* node, int code) {
  if (code == shcDelete) {
    if (TTreeNode* parent = node->Parent(); IsShellNode(parent)) {
      if (list_) {
        list_->StopWatching();
        list_->SetFolderIDList(ItemOf(parent)->GetAbsoluteIDList());
        list_->RestartWatching();
      }
      parent->SetSelected(true);
    }
    RefreshWithCombo();
  } else if (code == shcRename) {
    node->EditText();
  } else if (code == shcCut) {
    node->SetCut(true);
  }
}

// A left button already up still has its release queued (the tree holds the capture), which
// selects the node; the right one's release may have gone to the native tree's own tracking.
bool TShellTreeView::DoShBeginDrag(TTreeNode* node, int x, int y) {
  if (!MouseButtonDown(mouseState_ == 1)) {
    if (mouseState_ == 2)
      ButtonReleased();
    return false;
  }
  TShellFolderItem* item = ItemOf(node);
  if (!item || !(item->HasAttribute(saCanLink) || item->HasAttribute(saCanCopy) ||
                 item->HasAttribute(saCanMove)))
    return false;
  if (std::abs(x - pressPoint_.x) < kDragDistance && std::abs(y - pressPoint_.y) < kDragDistance)
    return false;
  bool canDrag = true;
  if (OnShBeginDrag && EventsAllowed())
    OnShBeginDrag(this, node, pressPoint_, x, y, canDrag);
  return canDrag;
}

void TShellTreeView::BeginDragOut(int x, int y) {
  TTreeNode* node = DropTarget();
  TShellFolderItem* item = ItemOf(node);
  IShellFolder* folder = nullptr;
  if (!IsShellNode(node) || !item->GetParentFolder(folder) || !DoShBeginDrag(node, x, y))
    return;
  LPCITEMIDLIST relative = item->IDList.Get();
  SFGAOF effects = SFGAO_CAPABILITYMASK;
  TComPtr<IDataObject> data;
  if (FAILED(folder->GetAttributesOf(1, &relative, &effects)) ||
      FAILED(folder->GetUIObjectOf(Handle(), 1, &relative, IID_IDataObject, nullptr,
                                   data.OutVoid())) ||
      !data) {
    ButtonReleased();
    return;
  }
  mouseState_ = 3;
  if (GetCapture() == Handle())
    ReleaseCapture();
  DWORD effect = DROPEFFECT_NONE;
  DoDragDrop(data.Get(), dropSource_.Get(), effects & SFGAO_CAPABILITYMASK, &effect);
  ButtonReleased();
}

HRESULT TShellTreeView::QueryContinueDrag(BOOL escapePressed, DWORD keyState) {
  return ShellQueryContinueDrag(escapePressed, keyState);
}

HRESULT TShellTreeView::GiveFeedback(DWORD) {
  return DRAGDROP_S_USEDEFAULTCURSORS;
}

// --- Dropping in ---

HRESULT TShellTreeView::DragEnter(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) {
  hoverCount_ = 0;
  if (!data)
    return E_INVALIDARG;
  rightDrag_ = keyState & MK_RBUTTON;
  dragObject_ = EnterShellDrag(
      data, keyState, point, effect,
      [this](const TShellDragObject& drag, TShiftState shift, POINT where, bool& accept) {
        if (OnShDragEnter && EventsAllowed())
          OnShDragEnter(this, drag, shift, where, accept);
      });
  if (!dragObject_)
    return S_OK;
  mouseState_ = 3;
  return DragOver(keyState, point, effect);
}

// The node under the point when its folder takes drops, highlighted; else none.
TTreeNode* TShellTreeView::DropNodeAt(POINTL screen) {
  UINT flags = 0;
  TTreeNode* node = HitNode(ScreenToClient(POINT{screen.x, screen.y}), flags);
  if (IsShellNode(node) && ItemOf(node)->HasAttribute(saDropTarget)) {
    node->SetDropTarget(true);
    return node;
  }
  ClearHighlight();
  return nullptr;
}

HRESULT TShellTreeView::DragOver(DWORD keyState, POINTL point, DWORD* effect) {
  if (!dragObject_) {
    *effect = DROPEFFECT_NONE;
    return S_OK;
  }
  TTreeNode* previous = DropTarget();
  TTreeNode* node = DropNodeAt(point);
  const DWORD allowed = *effect;
  *effect = DROPEFFECT_NONE;
  TComPtr<IDropTarget> target;
  if (node && ItemOf(node)->GetDropTarget(target))
    *effect = ProbeDropEffect(target.Get(), dragObject_->DataObject(), keyState, point, allowed);
  if (node && node == previous) {
    if (++hoverCount_ > kHoverExpandCount) {
      if (node->HasChildren() && !node->Expanded())
        node->Expand(false);
      hoverCount_ = 0;
    }
  } else {
    hoverCount_ = 0;
  }
  const POINT client = ScreenToClient(POINT{point.x, point.y});
  DoShDragOver(node, KeyStateToShift(keyState), client.x, client.y);
  ShellAutoScroll(*this, client);
  return S_OK;
}

void TShellTreeView::DoShDragOver(TTreeNode* node, TShiftState shift, int x, int y) {
  if (OnShDragOver && EventsAllowed() && dragObject_)
    OnShDragOver(this, *dragObject_, node, shift, x, y);
}

HRESULT TShellTreeView::DragLeave() {
  if (dragObject_) {
    dragObject_.reset();
    if (OnShDragLeave && EventsAllowed())
      OnShDragLeave(this);
  }
  ButtonReleased();
  return S_OK;
}

// A drop ends the drag as a leave does: the tree is idle again.
HRESULT TShellTreeView::Drop(IDataObject*, DWORD keyState, POINTL point, DWORD* effect) {
  TTreeNode* node = DropTarget();
  TComPtr<IDropTarget> target;
  bool defaultAction = dragObject_ != nullptr;
  if (dragObject_ && OnShDragDrop && EventsAllowed()) {
    const POINT client = ScreenToClient(POINT{point.x, point.y});
    OnShDragDrop(this, *dragObject_, node, KeyStateToShift(keyState), client.x, client.y,
                 defaultAction);
  }
  if (defaultAction && IsShellNode(node) && ItemOf(node)->GetDropTarget(target)) {
    DropOnTarget(target.Get(), dragObject_->DataObject(),
                 keyState | (rightDrag_ ? MK_RBUTTON : MK_LBUTTON), point, effect);
  } else {
    *effect = DROPEFFECT_NONE;
  }
  dragObject_.reset();
  ButtonReleased();
  return S_OK;
}

// --- Notices ---

void TShellTreeView::FolderChanged() {
  if (mouseState_ == 0)
    RefreshWithCombo();
}

void TShellTreeView::DeviceChange(const TDeviceChangeData& notice) {
  if (!dirWatcher_)
    return;
  auto copy = std::make_unique<TDeviceChangeData>();
  copy->Name = notice.Name;
  copy->Event = notice.Event;
  copy->Kind = notice.Kind;
  copy->IDList.Reset(CopyIDList(notice.IDList.Get()));
  dirWatcher_->PostDeviceChange(std::move(copy));
}

// Only the drive's own node: the search answers the root for a list it cannot find.
TTreeNode* TShellTreeView::NodeOfIDList(LPCITEMIDLIST list) {
  TTreeNode* node = list ? FindNode(list) : nullptr;
  if (!IsShellNode(node) || CompareIDLists(DesktopShellFolder().Get(),
                                           ItemOf(node)->GetAbsoluteIDList(), list) != ioEqual)
    return nullptr;
  return node;
}

void TShellTreeView::DeviceNotice(const TDeviceChangeData& notice) {
  constexpr WORD kMediaKind = 1;
  constexpr WORD kNetworkKind = 2;
  const bool removed = notice.Event == DBT_DEVICEREMOVECOMPLETE;
  if (notice.Kind == kMediaKind) {
    TTreeNode* node = NodeOfIDList(notice.IDList.Get());
    if (!node)
      return;
    TShellFolderItem* item = ItemOf(node);
    item->IconIndex = item->OpenIconIndex = -1;
    item->Name = notice.Name;
    node->SetText(notice.Name);
    if (TShellComboItem* entry =
            combo_ ? combo_->ItemOfIDList(item->GetAbsoluteIDList()) : nullptr) {
      entry->IconIndex = entry->OpenIconIndex = -1;
      entry->Name = notice.Name;
      combo_->Invalidate();
    }
    if (!removed)
      return;
    // The button stays, so the node opens again when the medium is back.
    node->DeleteChildren();
    node->SetHasChildren(true);
    if (TTreeNode* parent = node->Parent())
      parent->SetSelected(true);
    return;
  }
  if (notice.Kind != kNetworkKind)
    return;
  if (removed) {
    if (combo_)
      combo_->Reload();
    if (TTreeNode* root = Items().GetFirstNode())
      root->SetSelected(true);
    RefreshTree();
    return;
  }
  RefreshTree();
  if (combo_)
    combo_->Reload();
}

void TShellTreeView::ResetImages() {
  SendMessageA(Handle(), TVM_SETIMAGELIST, TVSIL_NORMAL,
               reinterpret_cast<LPARAM>(GetSysImageList(false)));
  for (TTreeNode* node = Items().GetFirstNode(); node; node = node->GetNext()) {
    if (TShellFolderItem* item = ItemOf(node))
      item->IconIndex = item->OpenIconIndex = -1;
  }
  Invalidate();
}

void TShellTreeView::WndProc(TMessage& message) {
  switch (message.Msg) {
  case WM_DESTROY:
    RevokeDragDrop(Handle());
    break;
  case CM_WININICHANGE:
    PostMessageA(Handle(), WM_RESETIMAGES, 0, 0);
    return;
  case WM_RESETIMAGES:
    ResetImages();
    return;
  case WM_LBUTTONDOWN:
    LeftPressed(message);
    return;
  case WM_LBUTTONUP:
    if (mouseState_ == 1) {
      LeftReleased();
      return;
    }
    break;
  case WM_CAPTURECHANGED:
    // A press the release never reached ends here.
    if (mouseState_ == 1 && reinterpret_cast<HWND>(message.LParam) != Handle())
      ButtonReleased();
    break;
  case WM_MOUSEMOVE:
    TTreeView::WndProc(message);
    if (mouseState_ == 1 || mouseState_ == 2)
      BeginDragOut(MessageX(message), MessageY(message));
    return;
  case WM_RBUTTONDOWN:
    if (!RightPressed(message))
      ClearHighlight();
    TTreeView::WndProc(message);
    if (mouseState_ == 2 && !MouseButtonDown(false))
      ButtonReleased();
    return;
  case WM_RBUTTONUP:
    TTreeView::WndProc(message);
    if (mouseState_ == 2)
      ButtonReleased();
    return;
  case CN_NOTIFY:
    // The native tree's tracking of the press takes the release; Wine's tree then sends no
    // context menu, so the right click asks for it itself, as the class library's tree does.
    if (reinterpret_cast<NMHDR*>(message.LParam)->code == static_cast<UINT>(NM_RCLICK) &&
        mouseState_ == 2) {
      Perform(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Handle()),
              static_cast<LPARAM>(GetMessagePos()));
      message.Result = 1;
      return;
    }
    break;
  default:
    break;
  }
  TTreeView::WndProc(message);
}

} // namespace quolin
