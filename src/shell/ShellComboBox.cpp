#include "shell/ShellComboBox.h"

#include "common/LogFont.h"
#include "core/ChildMerge.h"
#include "shell/ShellTreeView.h"
#include "ui/Graphics.h"

#include <ole2.h>

#include <algorithm>
#include <set>

namespace quolin {

namespace {

constexpr int kTextGap = 4;
constexpr UINT WM_RECREATE = WM_USER + 1;

bool IsMyComputer(TShellComboItem* item) {
  return item && item->GetLevel() == 1 && item->GetItemType() == TShItemIDType::itMyComputer;
}

LOGFONTA IconTitleFont() {
  LOGFONTA font{};
  SystemParametersInfoA(SPI_GETICONTITLELOGFONT, sizeof font, &font, 0);
  return font;
}

} // namespace

// --- TShellComboItem ---

TShellComboItem::TShellComboItem(TShellComboList& owner, TShellComboItem* parent,
                                 LPITEMIDLIST relative, LPITEMIDLIST absolute, bool temporary)
    : TShellAbsoluteItem(relative, absolute), Owner(owner), Parent(parent), Temporary(temporary) {
}

int TShellComboItem::GetIndex() {
  return Owner.IndexOf(this);
}

bool TShellComboItem::IsBelow(const TShellComboItem* ancestor) const {
  for (const TShellComboItem* walk = Parent; walk; walk = walk->Parent)
    if (walk == ancestor)
      return true;
  return false;
}

// --- TShellComboList ---

TShellComboItem* TShellComboList::Items(int index) const {
  return index >= 0 && index < Count() ? items_[static_cast<size_t>(index)].get() : nullptr;
}

int TShellComboList::IndexOf(const TShellComboItem* item) const {
  for (int i = 0; i < Count(); ++i)
    if (items_[static_cast<size_t>(i)].get() == item)
      return i;
  return -1;
}

TShellComboItem* TShellComboList::Insert(int index, std::unique_ptr<TShellComboItem> item) {
  TShellComboItem* entry = item.get();
  items_.insert(items_.begin() + index, std::move(item));
  strings_.InsertObject(index, "", entry);
  return entry;
}

// Children go first, from the end, so that no entry outlives its parent.
void TShellComboList::DeleteBranch(int index) {
  for (int i = EndOfBranch(index) - 1; i >= index; --i) {
    strings_.Delete(i);
    items_.erase(items_.begin() + i);
  }
}

void TShellComboList::DeleteChildren(int index) {
  if (index >= 0 && index < Count())
    while (index + 1 < EndOfBranch(index))
      DeleteBranch(index + 1);
}

void TShellComboList::DeleteTemporary() {
  for (int i = Count() - 1; i >= 0; --i)
    if (items_[static_cast<size_t>(i)]->Temporary)
      DeleteBranch(i);
}

void TShellComboList::Clear() {
  for (int i = Count() - 1; i >= 0; --i) {
    strings_.Delete(i);
    items_.erase(items_.begin() + i);
  }
}

int TShellComboList::EndOfBranch(int index) const {
  const TShellComboItem* top = Items(index);
  int end = index + 1;
  while (top && end < Count() && items_[static_cast<size_t>(end)]->IsBelow(top))
    ++end;
  return end;
}

int TShellComboList::NextSibling(int index) const {
  const TShellComboItem* item = Items(index);
  const int next = EndOfBranch(index);
  return item && next < Count() && Items(next)->Parent == item->Parent ? next : -1;
}

int TShellComboList::PreviousSibling(int index) const {
  const TShellComboItem* item = Items(index);
  for (int i = index - 1; item && i >= 0; --i) {
    if (Items(i) == item->Parent)
      return -1;
    if (Items(i)->Parent == item->Parent)
      return i;
  }
  return -1;
}

// --- TShellComboBox ---

TShellComboBox::TShellComboBox(TComponent* owner) : TComboBox(owner), list_(Items()) {
  OwnerDrawVariable = true;
  SetStyle(TComboBoxStyle::csDropDownList);
  dropTarget_ = TShellDropTarget::Create(this, this);
}

TShellComboBox::~TShellComboBox() {
  if (tree_)
    tree_->SetShellComboBox(nullptr);
  if (HandleAllocated())
    RevokeDragDrop(Handle());
  // OLE may hold it longer than the combo lives.
  dropTarget_->Detach();
  list_.Clear();
}

void TShellComboBox::SetTreeLink(TShellTreeView* tree) {
  if (tree == tree_)
    return;
  if (tree_)
    RemoveFreeNotification(tree_);
  tree_ = tree;
  if (tree)
    FreeNotification(tree);
}

void TShellComboBox::Notification(TComponent* component, TOperation operation) {
  TComboBox::Notification(component, operation);
  if (operation == TOperation::opRemove && component == tree_)
    tree_ = nullptr;
}

void TShellComboBox::Loaded() {
  TComboBox::Loaded();
  if (Parent())
    HandleNeeded();
}

void TShellComboBox::CreateWnd() {
  TComboBox::CreateWnd();
  Reload();
  if (savedIDList_) {
    TOwnedIDList saved(savedIDList_.Release());
    SetIDList(saved.Get());
  }
  RegisterDragDrop(Handle(), dropTarget_.Get());
}

void TShellComboBox::DestroyWnd() {
  savedIDList_.Reset(CopyIDList(GetIDList()));
  TComboBox::DestroyWnd();
}

void TShellComboBox::SetDesktopFont(bool desktopFont) {
  desktopFont_ = desktopFont;
  if (desktopFont && TakeIconFont() && HandleAllocated())
    RecreateWnd();
}

// True when the font's size changed, so that the entries' heights must follow.
bool TShellComboBox::TakeIconFont() {
  const TFont icon = FontOfLogFont(IconTitleFont(), Font().Value());
  const bool resized = icon.PixelHeight() != Font().Value().PixelHeight();
  Font().Assign(icon);
  return resized;
}

// --- Entries ---

void TShellComboBox::Reload() {
  if (!HandleAllocated())
    return;
  building_ = false;
  Items().BeginUpdate();
  list_.DeleteTemporary();
  TOwnedIDList desktop;
  TOwnedIDList directory;
  // The desktop's relative list is its folder, so that its path is the desktop folder's.
  if (list_.Count() == 0 && GetSpecialFolderIDList(sfDesktop, desktop.Out()) &&
      GetSpecialFolderIDList(sfDesktopDirectory, directory.Out()))
    list_.Insert(0, std::make_unique<TShellComboItem>(list_, nullptr, directory.Release(),
                                                      desktop.Release(), false));
  if (TShellComboItem* root = list_.Items(0)) {
    FillItem(root);
    if (TShellComboItem* first = list_.Items(1); first && first->Parent == root)
      FillItem(first);
  }
  Items().EndUpdate();
  if (ItemIndex() < 0)
    SetItemIndex(0);
  building_ = true;
}

void TShellComboBox::FillItem(TShellComboItem* item) {
  TComPtr<IShellFolder> folder;
  if (!item || !item->BindFolder(folder))
    return;
  std::vector<std::unique_ptr<TShellComboItem>> fresh = ListSubFolders<TShellComboItem>(
      folder.Get(), Handle(), includeHidden_, *item, virtuals_,
      [this, item](LPITEMIDLIST relative, LPITEMIDLIST absolute) {
        return std::make_unique<TShellComboItem>(list_, item, relative, absolute, building_);
      });
  std::vector<TShellComboItem*> children;
  const int start = list_.IndexOf(item);
  for (int i = start + 1; i < list_.EndOfBranch(start); ++i)
    if (list_.Items(i)->Parent == item)
      children.push_back(list_.Items(i));

  struct Steps final : TChildMergeSteps {
    TShellComboList& list;
    TShellComboItem* item;
    IShellFolder* folder;
    std::vector<TShellComboItem*>& children;
    std::vector<std::unique_ptr<TShellComboItem>>& fresh;
    Steps(TShellComboList& list, TShellComboItem* item, IShellFolder* folder,
          std::vector<TShellComboItem*>& children,
          std::vector<std::unique_ptr<TShellComboItem>>& fresh)
        : list(list), item(item), folder(folder), children(children), fresh(fresh) {}

    TMergeAnswer Compare(size_t child, size_t entry) override {
      if (!children[child]->IsValid())
        return TMergeAnswer::Error;
      return static_cast<TMergeAnswer>(
          CompareIDLists(folder, children[child]->IDList.Get(), fresh[entry]->IDList.Get()));
    }
    void Keep(size_t, size_t) override {}
    void InsertBefore(size_t child, size_t entry) override {
      list.Insert(list.IndexOf(children[child]), std::move(fresh[entry]));
    }
    void Delete(size_t child) override { list.DeleteBranch(list.IndexOf(children[child])); }
    void Append(size_t entry) override {
      list.Insert(list.EndOfBranch(list.IndexOf(item)), std::move(fresh[entry]));
    }
  } steps(list_, item, folder.Get(), children, fresh);
  MergeChildren(children.size(), fresh.size(), steps);
}

void TShellComboBox::SetIDList(LPCITEMIDLIST list) {
  if (!list || !building_)
    return;
  TShellComboItem* selected = list_.Items(ItemIndex());
  if (selected && selected->IsValid() && selected->GetLevel() == GetIDListLevel(list) &&
      CompareIDLists(DesktopShellFolder().Get(), selected->GetAbsoluteIDList(), list) == ioEqual)
    return;
  list_.DeleteTemporary();
  SetItemIndex(FindItem(list));
}

LPCITEMIDLIST TShellComboBox::GetIDList() {
  TShellComboItem* selected = list_.Items(ItemIndex());
  return selected ? selected->GetAbsoluteIDList() : nullptr;
}

TShellComboItem* TShellComboBox::ItemOfIDList(LPCITEMIDLIST list) {
  TComPtr<IShellFolder> desktop = DesktopShellFolder();
  const int level = GetIDListLevel(list);
  for (int i = 0; list && desktop && i < list_.Count(); ++i) {
    TShellComboItem* item = list_.Items(i);
    if (item->IsValid() && item->GetLevel() == level &&
        CompareIDLists(desktop.Get(), item->GetAbsoluteIDList(), list) == ioEqual)
      return item;
  }
  return nullptr;
}

bool TShellComboBox::HasFirstChild(int index) const {
  TShellComboItem* next = list_.Items(index + 1);
  return next && next->Parent == list_.Items(index);
}

TShellComboItem* TShellComboBox::InsertTemporary(int index, TShellComboItem* parent,
                                                 LPCITEMIDLIST item) {
  TOwnedIDList relative(CopyFirstItemID(item));
  TOwnedIDList absolute(ConcatIDLists(parent->GetAbsoluteIDList(), relative.Get()));
  if (!relative || !absolute)
    return nullptr;
  return list_.Insert(index, std::make_unique<TShellComboItem>(list_, parent, relative.Release(),
                                                               absolute.Release(), building_));
}

// Siblings are in the folder's order: a greater one steps back, a lesser one forward. A target
// that is not among them (a hidden folder, a filtered item) lies between a lesser and a greater
// sibling: stepping back to one found less ends the search instead of going to and fro.
int TShellComboBox::FindItem(LPCITEMIDLIST list) {
  if (!list || ItemIDSize(list) == 0)
    return 0;
  int found = 0;
  int index = 1;
  LPCITEMIDLIST target = list;
  std::set<TShellComboItem*> foundLess;
  while (true) {
    TShellComboItem* candidate = list_.Items(index);
    IShellFolder* parentFolder = nullptr;
    TOwnedIDList wanted(CopyFirstItemID(target));
    if (!candidate || !candidate->IsValid() || !wanted || !candidate->GetParentFolder(parentFolder))
      return found;
    switch (CompareIDLists(parentFolder, candidate->IDList.Get(), wanted.Get())) {
    case ioEqual:
      found = index;
      target = NextItemID(target);
      if (ItemIDSize(target) == 0)
        return index;
      foundLess.clear();
      if (!HasFirstChild(index) && !InsertTemporary(index + 1, candidate, target))
        return found;
      ++index;
      break;
    case ioFirstGreater:
      if (candidate->GetLevel() != 1 && !IsMyComputer(candidate->Parent))
        return found;
      FillItem(candidate->Parent);
      index = list_.PreviousSibling(list_.IndexOf(candidate));
      if (index < 0 || foundLess.count(list_.Items(index)))
        return found;
      break;
    case ioFirstLess: {
      foundLess.insert(candidate);
      const int next = list_.NextSibling(index);
      if (next >= 0) {
        index = next;
        break;
      }
      TShellComboItem* parent = candidate->Parent;
      index = parent ? list_.EndOfBranch(list_.IndexOf(parent)) : -1;
      if (!parent || !InsertTemporary(index, parent, target))
        return found;
      break;
    }
    default:
      return found;
    }
  }
}

// The inherited handling first: OnSelect or OnChange sees the entry chosen.
void TShellComboBox::Select() {
  TComboBox::Select();
  TShellComboItem* item = list_.Items(ItemIndex());
  if (!item || !item->IsValid())
    return;
  if (item->Temporary && item->Parent && item->Parent->Temporary)
    list_.DeleteChildren(list_.IndexOf(item));
  else if (!item->Temporary)
    list_.DeleteTemporary();
  SetItemIndex(list_.IndexOf(item));
  if (tree_)
    tree_->SelectIDList(item->GetAbsoluteIDList());
}

std::string TShellComboBox::EntryText(int index, bool editPart) {
  TShellComboItem* item = list_.Items(index);
  if (!item || !item->IsValid())
    return "";
  if (editPart && item->GetLevel() != 0) {
    if (std::string path = item->GetPath(); !path.empty())
      return path;
  }
  return item->GetDisplayName();
}

// --- Drawing ---

int TShellComboBox::MeasureItem(int) {
  int iconWidth = 16;
  int icon = 16;
  ImageList_GetIconSize(GetSysImageList(false), &iconWidth, &icon);
  const int text = TextExtent(Font().Handle(), "Ay").cy;
  return std::max(MinItemHeight, std::max(icon, text) + 2);
}

void TShellComboBox::DrawItem(int index, HDC dc, const RECT& rect, UINT state, bool editPart) {
  TShellComboItem* item = list_.Items(index);
  FillRect(dc, &rect, GetSysColorBrush(COLOR_WINDOW));
  if (!item || !item->IsValid())
    return;
  drawingEdit_ = editPart;
  DrawEntry(*item, dc, rect, state, editPart);
  drawingEdit_ = false;
}

void TShellComboBox::DrawEntry(TShellComboItem& item, HDC dc, const RECT& rect, UINT state,
                               bool editPart) {
  const bool selected = state & ODS_SELECTED;
  HIMAGELIST images = GetSysImageList(false);
  int iconWidth = 16;
  int iconHeight = 16;
  ImageList_GetIconSize(images, &iconWidth, &iconHeight);
  const int left = rect.left + (editPart ? 0 : item.Indentation());
  const int height = rect.bottom - rect.top;
  UINT style = selected ? ILD_NORMAL : ILD_TRANSPARENT;
  if (item.HasAttribute(saShared))
    style |= INDEXTOOVERLAYMASK(item.GetOverlayIndex() + 1);
  ImageList_Draw(images, selected ? item.GetOpenIconIndex() : item.GetIconIndex(), dc, left,
                 rect.top + (height - iconHeight) / 2, style);

  const std::string text = EntryText(item.GetIndex(), editPart);
  HGDIOBJ oldFont = SelectObject(dc, Font().Handle());
  SIZE extent{};
  GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &extent);
  const int x = left + iconWidth + kTextGap;
  RECT back{x - 1, rect.top + (height - extent.cy) / 2 - 1, x + extent.cx + 1, 0};
  back.bottom = back.top + extent.cy + 2;
  FillRect(dc, &back, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  TextOutA(dc, x, back.top + 1, text.c_str(), static_cast<int>(text.size()));
  SelectObject(dc, oldFont);
  if (state & ODS_FOCUS)
    DrawFocusRect(dc, &back);
}

void TShellComboBox::WndProc(TMessage& message) {
  switch (message.Msg) {
  case WM_DESTROY:
    RevokeDragDrop(Handle());
    break;
  case CM_WININICHANGE:
    if (desktopFont_ && message.WParam == SPI_SETICONTITLELOGFONT && TakeIconFont())
      PostMessageA(Handle(), WM_RECREATE, 0, 0);
    return;
  case WM_RECREATE:
    RecreateWnd();
    return;
  default:
    break;
  }
  TComboBox::WndProc(message);
}

// --- Dropping in ---

HRESULT TShellComboBox::DragEnter(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) {
  if (!data)
    return E_INVALIDARG;
  rightDrag_ = keyState & MK_RBUTTON;
  dragObject_ = EnterShellDrag(
      data, keyState, point, effect,
      [this](const TShellDragObject& drag, TShiftState shift, POINT where, bool& accept) {
        if (OnShDragEnter && EventsAllowed())
          OnShDragEnter(this, drag, shift, where, accept);
      });
  return dragObject_ ? DragOver(keyState, point, effect) : S_OK;
}

TShellComboItem* TShellComboBox::DropEntry(TComPtr<IDropTarget>& target) {
  target.Reset();
  TShellComboItem* item = list_.Items(ItemIndex());
  if (!item || !item->IsValid() || !item->HasAttribute(saDropTarget) ||
      !item->GetDropTarget(target))
    return nullptr;
  return item;
}

HRESULT TShellComboBox::DragOver(DWORD keyState, POINTL point, DWORD* effect) {
  if (!dragObject_) {
    *effect = DROPEFFECT_NONE;
    return S_OK;
  }
  TComPtr<IDropTarget> target;
  TShellComboItem* item = DropEntry(target);
  const DWORD allowed = *effect;
  *effect = DROPEFFECT_NONE;
  if (target)
    *effect = ProbeDropEffect(target.Get(), dragObject_->DataObject(), keyState, point, allowed);
  const POINT client = ScreenToClient(POINT{point.x, point.y});
  DoShDragOver(item, KeyStateToShift(keyState), client.x, client.y);
  return S_OK;
}

void TShellComboBox::DoShDragOver(TShellComboItem* item, TShiftState shift, int x, int y) {
  if (OnShDragOver && EventsAllowed() && dragObject_)
    OnShDragOver(this, *dragObject_, item, shift, x, y);
}

HRESULT TShellComboBox::DragLeave() {
  if (OnShDragLeave && EventsAllowed())
    OnShDragLeave(this);
  dragObject_.reset();
  return S_OK;
}

HRESULT TShellComboBox::Drop(IDataObject*, DWORD keyState, POINTL point, DWORD* effect) {
  if (!dragObject_) {
    *effect = DROPEFFECT_NONE;
    return S_OK;
  }
  TComPtr<IDropTarget> target;
  TShellComboItem* item = DropEntry(target);
  DropShellDrag(*this, *dragObject_, item, target.Get(), keyState, point, rightDrag_, effect,
                EventsAllowed() ? &OnShDragDrop : nullptr);
  dragObject_.reset();
  return S_OK;
}

} // namespace quolin
