#include "shell/ShellListView.h"

#include "core/Platform.h"
#include "core/ShellSortKey.h"
#include "core/Sjis.h"
#include "shell/ShellCst.h"
#include "ui/HourGlass.h"

#include <ole2.h>

#include <algorithm>
#include <cstdlib>

namespace quolin {

namespace {

constexpr int kColumnCount = shellcst::ColumnCount;
constexpr int kAttributeColumn = 4;
// Read-only, hidden, system and archive: the attributes the list shows.
constexpr DWORD kShownAttributes = 39;
constexpr int kDragDistance = 6;
constexpr UINT kOverlayMask = 0xF00;

struct TAttributeImage {
  DWORD attribute;
  int TAttributesImage::*image;
};
// The attribute column's order; the icon corner stacks them the other way round.
constexpr TAttributeImage kAttributeImages[] = {
    {FILE_ATTRIBUTE_READONLY, &TAttributesImage::ReadOnly},
    {FILE_ATTRIBUTE_HIDDEN, &TAttributesImage::Hidden},
    {FILE_ATTRIBUTE_SYSTEM, &TAttributesImage::System},
    {FILE_ATTRIBUTE_ARCHIVE, &TAttributesImage::Archive}};

std::string UpperName(std::string text) {
  if (!text.empty())
    CharUpperBuffA(text.data(), static_cast<DWORD>(text.size()));
  return text;
}

// The hourglass while the scope runs.
class THourGlassScope {
public:
  THourGlassScope() { HourGlassOn(); }
  ~THourGlassScope() { HourGlassOff(); }
  THourGlassScope(const THourGlassScope&) = delete;
  THourGlassScope& operator=(const THourGlassScope&) = delete;
};

} // namespace

SHELLEXECUTEINFOA ItemExecuteInfo(HWND window, LPCITEMIDLIST absolute) {
  SHELLEXECUTEINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_INVOKEIDLIST;
  info.hwnd = window;
  info.nShow = SW_SHOWNORMAL;
  info.lpIDList = const_cast<LPITEMIDLIST>(absolute);
  return info;
}

bool ClipboardHasShellIDs() {
  TComPtr<IDataObject> data;
  FORMATETC ids = ShellFormatEtc(TShellClipFormat::IDListArray);
  return SUCCEEDED(OleGetClipboard(data.Out())) && data && data->QueryGetData(&ids) == S_OK;
}

TShellListView::TShellListView(TComponent* owner)
    : TListView(owner), fileList_(std::make_unique<TShellFileList>(this)) {
  OwnerData = true;
  TListView::SetViewStyle(TViewStyle::vsIcon);
  TListView::SetReadOnly(false);
  for (int i = 0; i < kColumnCount; ++i)
    TListView::AddColumn(shellcst::ColumnCaptions[i], Width() / kColumnCount,
                         i == 1 || i == kAttributeColumn ? TAlignment::taRightJustify
                                                         : TAlignment::taLeftJustify);
  dropTarget_ = TShellDropTarget::Create(this, this);
  dropSource_ = TShellDropSource::Create(this, this);
  if (TShellCtrlList* controls = ShellCtrlList()) {
    controls->Add(this);
    registered_ = true;
  }
}

TShellListView::~TShellListView() {
  if (TShellCtrlList* controls = ShellCtrlList(); controls && registered_)
    controls->Remove(this);
  // OLE may hold them longer than the list lives.
  dropTarget_->Detach();
  dropSource_->Detach();
}

void TShellListView::SetAttributesImage(const TAttributesImage& image) {
  attributesImage_.Assign(image);
  if (attributesImage_.ImageList)
    attributesImage_.ImageList->FreeNotification(this);
  Invalidate();
}

void TShellListView::Notification(TComponent* component, TOperation operation) {
  TListView::Notification(component, operation);
  if (operation == TOperation::opRemove && component == attributesImage_.ImageList)
    attributesImage_.ImageList = nullptr;
  if (operation == TOperation::opRemove && component == shellPopupMenu_)
    shellPopupMenu_ = nullptr;
}

void TShellListView::SetIncludeHidden(bool includeHidden) {
  if (includeHidden == includeHidden_)
    return;
  includeHidden_ = includeHidden;
  if (tree_)
    tree_->SetIncludeHidden(includeHidden);
  if (!Loading() && HandleAllocated())
    UpdateItemCount();
}

void TShellListView::SetShVirtuaItems(TShVirtuaItems virtuals) {
  if (virtuals == virtuals_)
    return;
  virtuals_ = virtuals;
  if (tree_)
    tree_->SetShVirtuaItems(virtuals);
  if (!Loading() && HandleAllocated())
    UpdateItemCount();
}

void TShellListView::SetViewStyle(TViewStyle style) {
  const TViewStyle old = TListView::ViewStyle();
  if (style == old)
    return;
  // The list style scrolls sideways: the other styles start again at the top.
  const bool scroll = HandleAllocated() && TListView::ItemCount() > 0 &&
                      (old == TViewStyle::vsList || style == TViewStyle::vsList);
  if (scroll)
    ScrollToTop();
  TListView::SetViewStyle(style);
  if (scroll)
    ScrollToTop();
}

void TShellListView::ScrollToTop() {
  MakeVisible(0);
}

void TShellListView::AddColumn(const std::string& caption, int width, bool rightAligned) {
  TListView::AddColumn(caption, width,
                       rightAligned ? TAlignment::taRightJustify : TAlignment::taLeftJustify);
}

void TShellListView::Loaded() {
  TListView::Loaded();
  if (Parent())
    HandleNeeded();
}

void TShellListView::CreateWnd() {
  TListView::CreateWnd();
  recreating_ = false;
  HWND window = Handle();
  SendMessageA(window, LVM_SETIMAGELIST, LVSIL_SMALL,
               reinterpret_cast<LPARAM>(GetSysImageList(false)));
  SendMessageA(window, LVM_SETIMAGELIST, LVSIL_NORMAL,
               reinterpret_cast<LPARAM>(GetSysImageList(true)));
  SendMessageA(window, LVM_SETCALLBACKMASK, kOverlayMask | LVIS_DROPHILITED, 0);
  RegisterDragDrop(window, dropTarget_.Get());
  nextViewer_ = SetClipboardViewer(window);
  TOwnedIDList folder(CopyIDList(GetFolderIDList()));
  if (!folder)
    GetSpecialFolderIDList(sfDesktop, folder.Out());
  ShowFolder(folder.Get());
}

void TShellListView::DestroyWnd() {
  recreating_ = true;
  TListView::DestroyWnd();
}

void TShellListView::LeaveWindow() {
  HWND window = WindowHandle();
  RevokeDragDrop(window);
  ::ChangeClipboardChain(window, nextViewer_);
  nextViewer_ = nullptr;
}

bool TShellListView::SetFolderPath(const std::string& path) {
  if (!DirectoryExists(path))
    return false;
  TOwnedIDList list;
  if (PathToIDList(path, list.Out()))
    SetFolderIDList(list.Get());
  return true;
}

void TShellListView::SetFolderIDList(LPCITEMIDLIST list) {
  if (!list || !HandleAllocated())
    return;
  LPCITEMIDLIST current = GetFolderIDList();
  if (current && GetIDListLevel(current) == GetIDListLevel(list) &&
      CompareIDLists(DesktopShellFolder().Get(), current, list) == ioEqual)
    return;
  ShowFolder(list);
}

// The process's current folder follows a folder of the file system (tools run there).
void TShellListView::ShowFolder(LPCITEMIDLIST list) {
  fileList_->SetFolderIDList(list);
  if (!fileList_->HasFolderAttribute(saFileSystem))
    return;
  if (std::string path = GetFolderPath(); !path.empty())
    SetCurrentDirectoryA(path.c_str());
}

void TShellListView::UpdateItemCount() {
  SetItemCount(fileList_->Refresh());
  Invalidate();
}

bool TShellListView::DoShFilter(TShellFileItem* item) {
  bool accept = true;
  if (OnShFilter && EventsAllowed())
    OnShFilter(this, item, accept);
  return accept;
}

void TShellListView::ShListChange(TShellFileList* list) {
  if (OnShListChange && EventsAllowed())
    OnShListChange(this, list);
}

void TShellListView::WatcherChanged(TShFilesWatcher* sender, const std::string& folder) {
  if (mouseState_ != 0)
    return;
  if (!DirectoryExists(folder)) {
    BeginUpdate();
    StopWatching();
    fileList_->ForgetFolder();
    if (LPCITEMIDLIST treeFolder = tree_ ? tree_->SelectedIDList() : nullptr)
      ShowFolder(treeFolder);
    SetItemCount(fileList_->Count());
    EndUpdate();
    return;
  }
  if (sender == fileList_->NameWatcher) {
    fileList_->Refresh();
    return;
  }
  if (sender != fileList_->DetailWatcher)
    return;
  for (int i = 0; i < fileList_->Count(); ++i) {
    TShellFileItem* item = fileList_->GetItem(i);
    item->FindData = {};
    item->GetFindData();
  }
  Invalidate();
}

void TShellListView::OwnerDataFetch(TListItem& row, unsigned request) {
  TShellFileItem* item = recreating_ ? nullptr : fileList_->GetItem(row.Index());
  if (!item)
    return;
  row.Data = item;
  if (request & irImage)
    row.ImageIndex = item->GetIconIndex();
  if (!(request & irText))
    return;
  row.Caption = item->GetDisplayName();
  if (ViewStyle() != TViewStyle::vsReport)
    return;
  row.SubItems.Add(item->GetSizeText());
  row.SubItems.Add(item->GetTypeName());
  row.SubItems.Add(item->GetModifiedText());
  row.SubItems.Add(attributesImage_.ImageList ? std::string()
                                              : AttributeLetters(item->GetAttributes()));
}

// The overlay and the drop highlight of the main column come with every fetch, asked or not.
void TShellListView::GetDispInfo(LVITEMA& item) {
  TListView::GetDispInfo(item);
  if (item.iSubItem != 0 || recreating_)
    return;
  if (!(item.mask & LVIF_STATE)) {
    item.state = 0;
    item.stateMask = 0;
    item.mask |= LVIF_STATE;
  }
  if (TShellFileItem* file = fileList_->GetItem(item.iItem))
    item.state |= static_cast<UINT>(file->GetOverlayIndex());
  if (item.iItem == dropHighlight_)
    item.state |= LVIS_DROPHILITED;
  item.stateMask |= kOverlayMask | LVIS_DROPHILITED;
}

// Matches are whole characters of the upper-cased name.
int TShellListView::OwnerDataFind(TItemFind find, const std::string& text, void* data, int start,
                                  bool wrap) {
  if (find == TItemFind::ifData)
    return fileList_->IndexOf(static_cast<TShellFileItem*>(data));
  const int count = fileList_->Count();
  if (count == 0 || text.empty())
    return -1;
  const std::string needle = UpperName(text);
  const int first = start >= 0 && start < count ? start : 0;
  int index = first;
  do {
    const size_t at = sjis::FindText(UpperName(fileList_->GetItem(index)->GetDisplayName()), needle);
    if (find == TItemFind::ifPartialString ? at != std::string::npos : at == 0)
      return index;
    if (++index == count) {
      if (!wrap)
        return -1;
      index = 0;
    }
  } while (index != first);
  return -1;
}

bool TShellListView::OwnerDataHint(int first, int last) {
  if (recreating_)
    return false;
  for (int i = std::max(first, 0); i <= last && i < fileList_->Count(); ++i) {
    TShellFileItem* item = fileList_->GetItem(i);
    item->GetIconIndex();
    item->GetDisplayName();
  }
  return true;
}

bool TShellListView::OwnerDataStateChange(int first, int last, UINT, UINT) {
  selectedSize_ = 0;
  for (int i = std::max(first, 0); i <= last && i < fileList_->Count(); ++i)
    selectedSize_ += fileList_->GetItem(i)->GetSize();
  SelChange();
  return true;
}

void TShellListView::ItemChanged(const NMLISTVIEW& change) {
  if (!(change.uChanged & LVIF_STATE))
    return;
  if (change.iItem < 0) {
    selectedSize_ = 0;
    if (SelectedCount() > 0) {
      for (int i = 0; i < fileList_->Count(); ++i)
        selectedSize_ += fileList_->GetItem(i)->GetSize();
    }
    SelChange();
    return;
  }
  const bool was = change.uOldState & LVIS_SELECTED;
  const bool is = change.uNewState & LVIS_SELECTED;
  TShellFileItem* item = fileList_->GetItem(change.iItem);
  if (was == is || !item)
    return;
  const uint64_t size = item->GetSize();
  selectedSize_ = is ? selectedSize_ + size : selectedSize_ - std::min(size, selectedSize_);
  SelChange();
}

// The event's Cardinal holds at most 0xFFFFFFFF; the sum itself is 64 bits.
void TShellListView::SelChange() {
  if (updateCount_ >= 1 || !OnShSelChange || !EventsAllowed())
    return;
  OnShSelChange(this, static_cast<uint32_t>(std::min<uint64_t>(selectedSize_, 0xFFFFFFFFu)));
}

void TShellListView::EndSelectionUpdate() {
  if (--updateCount_ == 0)
    SelChange();
}

void TShellListView::ColumnClick(int column) {
  TListView::ColumnClick(column);
  if (column < 0 || column >= kColumnCount)
    return;
  BeginUpdate();
  {
    THourGlassScope hourGlass;
    fileList_->SortDirection[column] = -fileList_->SortDirection[column];
    fileList_->SortByColumn(column);
  }
  EndUpdate();
}

bool TShellListView::CanEdit(int index) {
  TShellFileItem* item = fileList_->GetItem(index);
  return TListView::CanEdit(index) && item && Selected(index) &&
         item->HasAttribute(saCanRename);
}

// The window shows the new name from the item: the edited text is never kept by the list.
bool TShellListView::Edit(int index, const std::string& text) {
  TShellFileItem* item = fileList_->GetItem(index);
  if (!item)
    return false;
  StopWatching();
  item->Rename(text);
  RestartWatching();
  UpdateItems(index, index);
  return false;
}

void TShellListView::ItemActivate(const NMITEMACTIVATE& activate) {
  TShiftState shift = 0;
  if (activate.uKeyFlags & LVKF_ALT)
    shift |= ssAlt;
  if (activate.uKeyFlags & LVKF_CONTROL)
    shift |= ssCtrl;
  if (activate.uKeyFlags & LVKF_SHIFT)
    shift |= ssShift;
  ExecuteItem(activate.iItem, activate.iSubItem, activate.ptAction.x, activate.ptAction.y, shift);
}

void TShellListView::ExecuteItem(int index, int subItem, int x, int y, TShiftState shift) {
  TShellFileItem* item = fileList_->GetItem(index);
  if (item && item->HasAttribute(saFolder)) {
    // The item goes with the list it leaves.
    TOwnedIDList folder(CopyIDList(item->GetAbsoluteIDList()));
    SetFolderIDList(folder.Get());
    if (tree_)
      tree_->SelectIDList(folder.Get());
    return;
  }
  bool defaultAction = item != nullptr;
  if (OnShExecute && EventsAllowed())
    OnShExecute(this, item, shift, subItem, x, y, defaultAction);
  if (!defaultAction || !item)
    return;
  SHELLEXECUTEINFOA info = ItemExecuteInfo(Handle(), item->GetAbsoluteIDList());
  ShellExecuteExA(&info);
}

LRESULT TShellListView::CustomDraw(NMLVCUSTOMDRAW& draw) {
  const DWORD stage = draw.nmcd.dwDrawStage;
  const int index = static_cast<int>(draw.nmcd.dwItemSpec);
  if (stage == CDDS_PREPAINT)
    return recreating_ ? CDRF_SKIPDEFAULT : CDRF_NOTIFYITEMDRAW;
  if (stage == CDDS_ITEMPREPAINT) {
    bool subItemDraw = false;
    if (!DoCustomDrawItem(index, draw.nmcd.uItemState, subItemDraw))
      return CDRF_SKIPDEFAULT;
    return subItemDraw && ViewStyle() == TViewStyle::vsReport ? CDRF_NOTIFYSUBITEMDRAW
                                                             : CDRF_DODEFAULT;
  }
  if (stage == (CDDS_ITEMPREPAINT | CDDS_SUBITEM) && draw.iSubItem != 0)
    return DoCustomDrawSubItem(index, draw.iSubItem, draw.nmcd.uItemState) ? CDRF_DODEFAULT
                                                                           : CDRF_SKIPDEFAULT;
  return CDRF_DODEFAULT;
}

bool TShellListView::DoCustomDrawItem(int index, TCustomDrawState state, bool& subItemDraw) {
  TShellFileItem* item = fileList_->GetItem(index);
  const DWORD attributes = item ? item->GetAttributes() & kShownAttributes : 0;
  subItemDraw = attributes != 0;
  TImageList* images = attributesImage_.ImageList;
  if (images && ViewStyle() == TViewStyle::vsIcon) {
    const RECT icon = ItemRect(index, LVIR_ICON);
    const int x = icon.left + 5 - images->Width();
    int y = icon.bottom;
    for (auto image = std::rbegin(kAttributeImages); image != std::rend(kAttributeImages);
         ++image) {
      if (!(attributes & image->attribute))
        continue;
      y -= images->Height() + 1;
      images->Draw(Canvas().Handle(), x, y, attributesImage_.*(image->image));
    }
  }
  bool defaultDraw = true;
  if (OnCustomDrawItem && EventsAllowed())
    OnCustomDrawItem(this, index, state, defaultDraw, subItemDraw);
  return defaultDraw;
}

bool TShellListView::DoCustomDrawSubItem(int index, int subItem, TCustomDrawState state) {
  bool defaultDraw = true;
  if (OnCustomDrawSubItem && EventsAllowed())
    OnCustomDrawSubItem(this, index, subItem, state, defaultDraw);
  TImageList* images = attributesImage_.ImageList;
  TShellFileItem* item = fileList_->GetItem(index);
  if (!defaultDraw || subItem != kAttributeColumn || !images || !item)
    return defaultDraw;
  HDC dc = Canvas().Handle();
  RECT rect = SubItemRect(index, kAttributeColumn, LVIR_LABEL);
  IntersectClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
  TColor fill = Color();
  if (RowSelect && Selected(index))
    fill = (state & CDIS_HOT) ? clBlue : clHighlight;
  HBRUSH brush = CreateSolidBrush(ColorToRGB(fill));
  FillRect(dc, &rect, brush);
  DeleteObject(brush);
  const DWORD attributes = item->GetAttributes();
  int x = rect.left;
  for (const TAttributeImage& image : kAttributeImages) {
    if (!(attributes & image.attribute))
      continue;
    images->Draw(dc, x, rect.top + 2, attributesImage_.*(image.image));
    x += images->Width();
  }
  return false;
}

// An owner-data list keeps no drop highlight: the row's fetch gives it (see GetDispInfo).
void TShellListView::SetDropHighlight(int index) {
  if (index == dropHighlight_)
    return;
  for (int row : {dropHighlight_, index}) {
    if (row >= 0)
      UpdateItems(row, row);
  }
  dropHighlight_ = index;
}

// The release may never reach the list (its own tracking takes it), and without a linked
// menu no context menu ends the right button's state: whenever the button is up, the list is
// idle again.
void TShellListView::ButtonReleased() {
  mouseState_ = 0;
  SetDropHighlight(-1);
}

bool TShellListView::ButtonDown(int state) const {
  return MouseButtonDown(state == 1);
}

void TShellListView::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TListView::MouseDown(button, shift, x, y);
  if (button == TMouseButton::mbMiddle || HitTest(POINT{x, y}) < 0)
    return;
  mouseState_ = button == TMouseButton::mbLeft ? 1 : 2;
  pressPoint_ = POINT{x, y};
}

void TShellListView::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TListView::MouseUp(button, shift, x, y);
  if (button != TMouseButton::mbMiddle && mouseState_ != 3)
    ButtonReleased();
}

void TShellListView::MouseMove(TShiftState shift, int x, int y) {
  TListView::MouseMove(shift, x, y);
  if (mouseState_ == 1 || mouseState_ == 2)
    BeginDragOut(x, y);
}

// The point is on the screen; a key's request (-1, -1) shows the menu at the corner.
void TShellListView::DoContextPopup(POINT point, bool& handled) {
  TListView::DoContextPopup(point, handled);
  if (handled || mouseState_ != 2 || !shellPopupMenu_) {
    ButtonReleased();
    return;
  }
  if (point.x == -1 && point.y == -1)
    point = ClientToScreen(POINT{0, 0});
  StopWatching();
  TShellIDList& selected = fileList_->GetSelectedIDList();
  TComPtr<IShellFolder> parent;
  if (selected.Count() > 0 && selected.GetParentFolder(parent)) {
    shellPopupMenu_->SetOwnerControl(this);
    const int code = shellPopupMenu_->Popup(selected, point);
    ButtonReleased();
    FollowShellCommand(code);
  }
  RestartWatching();
  handled = true;
  ButtonReleased();
}

void TShellListView::FollowShellCommand(int code) {
  if (code == shcLink && !GetFolderPath().empty()) {
    UpdateItemCount();
  } else if (code == shcDelete) {
    fileList_->RemoveSelectedGone();
    if (tree_)
      tree_->RefreshTree();
  } else if (code == shcRename) {
    const std::vector<int> selected = SelectedIndexes();
    if (!selected.empty())
      EditLabel(selected.front());
  }
}

void TShellListView::SetShellPopupMenu(TShellPopupMenu* menu) {
  LinkShellPopupMenu(this, shellPopupMenu_, menu);
}

bool TShellListView::DoShBeginDrag(TShellIDList& ids, int x, int y) {
  if (!ButtonDown(mouseState_)) {
    ButtonReleased();
    return false;
  }
  if (std::abs(x - pressPoint_.x) < kDragDistance && std::abs(y - pressPoint_.y) < kDragDistance)
    return false;
  if (ids.GetCapabilities() == 0)
    return false;
  bool canDrag = true;
  if (OnShBeginDrag && EventsAllowed())
    OnShBeginDrag(this, ids, pressPoint_, x, y, canDrag);
  return canDrag;
}

void TShellListView::BeginDragOut(int x, int y) {
  TComPtr<IShellFolder> folder;
  if (!fileList_->GetFolder(folder))
    return;
  TShellIDList& ids = fileList_->GetSelectedIDList();
  if (ids.Count() == 0 || !DoShBeginDrag(ids, x, y))
    return;
  TComPtr<IDataObject> data;
  if (FAILED(folder->GetUIObjectOf(Handle(), static_cast<UINT>(ids.Count()), ids.GetItemsArray(),
                                   IID_IDataObject, nullptr, data.OutVoid())) ||
      !data) {
    ButtonReleased();
    return;
  }
  const DWORD effects = ids.GetCapabilities();
  mouseState_ = 3;
  DWORD effect = DROPEFFECT_NONE;
  DoDragDrop(data.Get(), dropSource_.Get(), effects, &effect);
  mouseState_ = 0;
}

HRESULT TShellListView::QueryContinueDrag(BOOL escapePressed, DWORD keyState) {
  return ShellQueryContinueDrag(escapePressed, keyState);
}

HRESULT TShellListView::GiveFeedback(DWORD) {
  return DRAGDROP_S_USEDEFAULTCURSORS;
}

HRESULT TShellListView::DragEnter(IDataObject* data, DWORD keyState, POINTL point,
                                  DWORD* effect) {
  if (!data)
    return E_INVALIDARG;
  rightDrag_ = keyState & MK_RBUTTON;
  dragObject_ = EnterShellDrag(data, keyState, point, effect,
                               [this](const TShellDragObject& drag, TShiftState shift,
                                      POINT where, bool& accept) {
                                 if (OnShDragEnter && EventsAllowed())
                                   OnShDragEnter(this, drag, shift, where, accept);
                               });
  return dragObject_ ? DragOver(keyState, point, effect) : S_OK;
}

// The item under the point when it takes drops (highlighted), else the folder itself.
TShellFileItem* TShellListView::DropTargetAt(POINTL screen, TComPtr<IDropTarget>& target) {
  target.Reset();
  const int index = HitTest(ScreenToClient(POINT{screen.x, screen.y}));
  TShellFileItem* item = fileList_->GetItem(index);
  if (item && item->HasAttribute(saDropTarget) && item->GetDropTarget(target)) {
    SetDropHighlight(index);
    return item;
  }
  SetDropHighlight(-1);
  if (!fileList_->HasFolderAttribute(saDropTarget) || !fileList_->GetFolderDropTarget(target))
    target.Reset();
  return nullptr;
}

HRESULT TShellListView::DragOver(DWORD keyState, POINTL point, DWORD* effect) {
  if (!dragObject_) {
    *effect = DROPEFFECT_NONE;
    return S_OK;
  }
  TComPtr<IDropTarget> target;
  TShellFileItem* item = DropTargetAt(point, target);
  // The shell's target decides the effect; nothing is dropped before Drop.
  const DWORD allowed = *effect;
  *effect = DROPEFFECT_NONE;
  if (target)
    *effect = ProbeDropEffect(target.Get(), dragObject_->DataObject(), keyState, point, allowed);
  const POINT client = ScreenToClient(POINT{point.x, point.y});
  DoShDragOver(item, KeyStateToShift(keyState), client.x, client.y);
  ShellAutoScroll(*this, client);
  return S_OK;
}

void TShellListView::DoShDragOver(TShellFileItem* item, TShiftState shift, int x, int y) {
  if (OnShDragOver && EventsAllowed() && dragObject_)
    OnShDragOver(this, *dragObject_, item, shift, x, y);
}

HRESULT TShellListView::DragLeave() {
  SetDropHighlight(-1);
  dragObject_.reset();
  if (OnShDragLeave && EventsAllowed())
    OnShDragLeave(this);
  return S_OK;
}

HRESULT TShellListView::Drop(IDataObject*, DWORD keyState, POINTL point, DWORD* effect) {
  if (!dragObject_) {
    *effect = DROPEFFECT_NONE;
    return S_OK;
  }
  TComPtr<IDropTarget> target;
  TShellFileItem* item = DropTargetAt(point, target);
  DropShellDrag(*this, *dragObject_, item, target.Get(), keyState, point, rightDrag_, effect,
                EventsAllowed() ? &OnShDragDrop : nullptr);
  SetDropHighlight(-1);
  dragObject_.reset();
  return S_OK;
}

void TShellListView::DrawClipboard(TMessage& message) {
  if (!Loading()) {
    const bool contented = ClipboardHasShellIDs();
    if (OnShClipboard && EventsAllowed())
      OnShClipboard(this, contented);
  }
  if (nextViewer_)
    SendMessageA(nextViewer_, WM_DRAWCLIPBOARD, message.WParam, message.LParam);
  message.Result = 0;
}

void TShellListView::ChangeClipboardChain(TMessage& message) {
  message.Result = 0;
  if (reinterpret_cast<HWND>(message.WParam) == nextViewer_)
    nextViewer_ = reinterpret_cast<HWND>(message.LParam);
  else if (nextViewer_)
    message.Result = SendMessageA(nextViewer_, WM_CHANGECBCHAIN, message.WParam, message.LParam);
}

void TShellListView::WndProc(TMessage& message) {
  switch (message.Msg) {
  case WM_DESTROY:
    LeaveWindow();
    break;
  case WM_DRAWCLIPBOARD:
    DrawClipboard(message);
    return;
  case WM_CHANGECBCHAIN:
    ChangeClipboardChain(message);
    return;
  case CM_WININICHANGE:
    PostMessageA(Handle(), WM_RECREATE, 0, 0);
    return;
  case WM_RECREATE:
    RecreateWnd();
    return;
  case WM_SHOWWINDOW:
    if (message.WParam)
      SelChange();
    break;
  case WM_LBUTTONDOWN:
  case WM_RBUTTONDOWN:
    TListView::WndProc(message);
    if ((mouseState_ == 1 || mouseState_ == 2) && !ButtonDown(mouseState_))
      ButtonReleased();
    return;
  default:
    break;
  }
  TListView::WndProc(message);
}

} // namespace quolin
