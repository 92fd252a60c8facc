#include "ui/ListView.h"

#include "ui/Graphics.h"

#include <commctrl.h>

#include <algorithm>

namespace quolin {

namespace {

// Puts a refused selection back once the list view has finished its own change.
constexpr UINT CM_RESELECT = WM_APP + 0x3F02;

} // namespace

TListView::TListView(TComponent* owner) : TControl(owner) {
  clickEvents_ = false;
  SetTabStop(true);
  SetColor(clWindow);
  SetBounds(0, 0, 250, 150);
}

void TListView::CreateParams(TCreateParams& params) {
  params.WinClassName = WC_LISTVIEWA;
  params.Native = true;
  params.Style |= LVS_REPORT | LVS_SINGLESEL | (OwnerData ? LVS_OWNERDATA : 0) |
                  (ShowColumnHeaders ? 0 : LVS_NOCOLUMNHEADER) |
                  (HideSelection ? 0 : LVS_SHOWSELALWAYS);
  params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TListView::CreateWnd() {
  HWND window = Handle();
  DWORD extended = (RowSelect ? LVS_EX_FULLROWSELECT : 0) | (GridLines ? LVS_EX_GRIDLINES : 0);
  SendMessageA(window, LVM_SETEXTENDEDLISTVIEWSTYLE, extended, extended);
  ApplyColors();
  if (SmallImages)
    SendMessageA(window, LVM_SETIMAGELIST, LVSIL_SMALL,
                 reinterpret_cast<LPARAM>(SmallImages->Handle()));
  for (size_t i = 0; i < columns_.size(); ++i) {
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = columns_[i].first.data();
    column.cx = columns_[i].second;
    SendMessageA(window, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
  }
  int rows = rows_;
  rows_ = 0;
  SetRows(rows);
  SelectRow(itemIndex_);
}

void TListView::ApplyColors() {
  if (!HandleAllocated())
    return;
  HWND window = Handle();
  SendMessageA(window, LVM_SETBKCOLOR, 0, static_cast<LPARAM>(ColorToRGB(Color())));
  SendMessageA(window, LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(ColorToRGB(Color())));
  SendMessageA(window, LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(ColorToRGB(Font().Color())));
  InvalidateRect(window, nullptr, TRUE);
}

void TListView::ColorChanged() {
  TControl::ColorChanged();
  ApplyColors();
}

void TListView::FontChanged() {
  TControl::FontChanged();
  ApplyColors();
}

void TListView::DestroyWnd() {
  itemIndex_ = ItemIndex();
  for (size_t i = 0; i < columns_.size(); ++i)
    columns_[i].second = ColumnWidth(static_cast<int>(i));
}

void TListView::AddColumn(const std::string& caption, int width) {
  columns_.emplace_back(caption, width);
  if (!HandleAllocated())
    return;
  LVCOLUMNA column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH;
  column.pszText = columns_.back().first.data();
  column.cx = width;
  SendMessageA(Handle(), LVM_INSERTCOLUMNA, columns_.size() - 1, reinterpret_cast<LPARAM>(&column));
}

int TListView::ColumnWidth(int index) {
  if (HandleAllocated())
    return static_cast<int>(SendMessageA(Handle(), LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(index), 0));
  return columns_.at(static_cast<size_t>(index)).second;
}

void TListView::SetColumnWidth(int index, int width) {
  columns_.at(static_cast<size_t>(index)).second = width;
  if (HandleAllocated())
    SendMessageA(Handle(), LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(index), width);
}

void TListView::SetRows(int count) {
  count = std::max(count, 0);
  if (!HandleAllocated()) {
    rows_ = count;
    return;
  }
  HWND window = Handle();
  if (OwnerData) {
    rows_ = count;
    SendMessageA(window, LVM_SETITEMCOUNT, static_cast<WPARAM>(count), LVSICF_NOINVALIDATEALL);
    Invalidate();
    return;
  }
  while (rows_ < count) {
    LVITEMA item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = rows_;
    item.pszText = LPSTR_TEXTCALLBACKA;
    item.iImage = I_IMAGECALLBACK;
    SendMessageA(window, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    ++rows_;
  }
  while (rows_ > count)
    SendMessageA(window, LVM_DELETEITEM, static_cast<WPARAM>(--rows_), 0);
}

void TListView::SetItemCount(int count) {
  SetRows(count);
}

TListItem* TListView::AddItem() {
  items_.push_back(std::make_unique<TListItem>());
  items_.back()->index_ = static_cast<int>(items_.size()) - 1;
  SetRows(static_cast<int>(items_.size()));
  return items_.back().get();
}

void TListView::ClearItems() {
  items_.clear();
  SetRows(0);
}

void TListView::UpdateItems(int first, int last) {
  if (HandleAllocated())
    SendMessageA(Handle(), LVM_REDRAWITEMS, static_cast<WPARAM>(first), last);
}

int TListView::ItemIndex() {
  if (HandleAllocated())
    itemIndex_ = static_cast<int>(SendMessageA(Handle(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1),
                                               LVNI_SELECTED));
  return itemIndex_;
}

void TListView::SetItemIndex(int index) {
  itemIndex_ = index >= 0 && index < rows_ ? index : -1;
  SelectRow(itemIndex_);
}

void TListView::SelectRow(int row) {
  if (!HandleAllocated())
    return;
  LVITEMA item{};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  if (row < 0) {
    SendMessageA(Handle(), LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
    return;
  }
  item.state = LVIS_SELECTED | LVIS_FOCUSED;
  approvedRow_ = row;
  SendMessageA(Handle(), LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
  approvedRow_ = -1;
  SendMessageA(Handle(), LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
}

TListItem* TListView::ItemForRow(int row) {
  if (!OwnerData)
    return row >= 0 && row < static_cast<int>(items_.size()) ? items_[static_cast<size_t>(row)].get()
                                                              : nullptr;
  scratch_.Caption.clear();
  scratch_.SubItems.Clear();
  scratch_.Data = nullptr;
  scratch_.ImageIndex = -1;
  scratch_.index_ = row;
  if (OnData && EventsAllowed())
    OnData(this, scratch_);
  return &scratch_;
}

std::string TListView::CellText(int row, int column) {
  TListItem* item = ItemForRow(row);
  if (!item)
    return {};
  if (column == 0)
    return item->Caption;
  return column - 1 < item->SubItems.Count() ? item->SubItems[column - 1] : std::string();
}

bool TListView::CanSelectRow(int) {
  return true;
}

bool TListView::HandleNotify(TMessage& message) {
  auto* header = reinterpret_cast<NMHDR*>(message.LParam);
  switch (header->code) {
  case LVN_GETDISPINFOA: {
    auto* info = reinterpret_cast<NMLVDISPINFOA*>(message.LParam);
    if (info->item.mask & LVIF_TEXT) {
      textBuffer_ = CellText(info->item.iItem, info->item.iSubItem);
      lstrcpynA(info->item.pszText, textBuffer_.c_str(), info->item.cchTextMax);
    }
    if (info->item.mask & LVIF_IMAGE) {
      TListItem* item = info->item.iSubItem == 0 ? ItemForRow(info->item.iItem) : nullptr;
      info->item.iImage = item ? item->ImageIndex : -1;
    }
    return true;
  }
  case LVN_ITEMCHANGING: {
    auto* change = reinterpret_cast<NMLISTVIEW*>(message.LParam);
    bool gaining = (change->uChanged & LVIF_STATE) && (change->uNewState & LVIS_SELECTED) &&
                   !(change->uOldState & LVIS_SELECTED);
    if (gaining && change->iItem >= 0 && change->iItem != approvedRow_ &&
        !CanSelectRow(change->iItem)) {
      message.Result = TRUE;
      if (lastSelected_ >= 0)
        PostMessageA(Handle(), CM_RESELECT, static_cast<WPARAM>(lastSelected_), 0);
    }
    return true;
  }
  case LVN_ITEMCHANGED: {
    auto* change = reinterpret_cast<NMLISTVIEW*>(message.LParam);
    if (!(change->uChanged & LVIF_STATE) ||
        ((change->uNewState ^ change->uOldState) & LVIS_SELECTED) == 0)
      return true;
    bool selected = (change->uNewState & LVIS_SELECTED) != 0;
    if (selected)
      lastSelected_ = change->iItem;
    if (OnSelectItem && EventsAllowed())
      OnSelectItem(this, change->iItem, selected);
    return true;
  }
  default:
    return false;
  }
}

void TListView::WndProc(TMessage& message) {
  if (message.Msg == CN_NOTIFY && HandleNotify(message))
    return;
  if (message.Msg == CM_RESELECT) {
    if (ItemIndex() < 0)
      SelectRow(static_cast<int>(message.WParam));
    return;
  }
  TControl::WndProc(message);
}

TStringGrid::TStringGrid(TComponent* owner) : TListView(owner) {
  ShowColumnHeaders = false;
  HideSelection = false;
  SetColCount(1);
}

void TStringGrid::SetColCount(int count) {
  count = std::max(count, 1);
  while (ColumnCount() < count)
    AddColumn({}, DefaultColWidth);
  for (auto& row : cells_)
    row.resize(static_cast<size_t>(ColumnCount()));
}

void TStringGrid::SetRowCount(int count) {
  count = std::max(count, 0);
  cells_.resize(static_cast<size_t>(count), std::vector<std::string>(static_cast<size_t>(ColCount())));
  SetRows(count);
}

std::string TStringGrid::Cells(int column, int row) const {
  if (row < 0 || row >= static_cast<int>(cells_.size()) || column < 0 || column >= ColCount())
    return {};
  return cells_[static_cast<size_t>(row)][static_cast<size_t>(column)];
}

void TStringGrid::SetCells(int column, int row, const std::string& text) {
  if (row < 0 || column < 0 || column >= ColCount())
    return;
  if (row >= RowCount())
    SetRowCount(row + 1);
  cells_[static_cast<size_t>(row)][static_cast<size_t>(column)] = text;
  UpdateItems(row, row);
}

int TStringGrid::Row() {
  return ItemIndex();
}

void TStringGrid::SetRow(int row) {
  if (row < 0 || row >= RowCount() || row == Row() || !CanSelectRow(row))
    return;
  SetItemIndex(row);
}

std::string TStringGrid::CellText(int row, int column) {
  return Cells(column, row);
}

bool TStringGrid::CanSelectRow(int row) {
  bool canSelect = true;
  if (OnSelectCell && EventsAllowed())
    OnSelectCell(this, 0, row, canSelect);
  return canSelect;
}

} // namespace quolin
