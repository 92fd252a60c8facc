#include "ui/ListView.h"

#include "ui/Graphics.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>

namespace quolin {

namespace {

// Puts a refused selection back once the list view has finished its own change.
constexpr UINT CM_RESELECT = WM_APP + 0x3F02;

} // namespace

void TListCanvas::SetFont(HFONT font) {
  font_ = font;
  if (dc_)
    SelectObject(dc_, font);
  changed_ = true;
}

void TListCanvas::SetTextColor(COLORREF color) {
  textColor_ = color;
  changed_ = true;
}

void TListCanvas::SetBackColor(COLORREF color) {
  backColor_ = color;
  changed_ = true;
}

TListView::TListView(TComponent* owner) : TControl(owner) {
  clickEvents_ = false;
  SetTabStop(true);
  SetColor(clWindow);
  SetBounds(0, 0, 250, 150);
}

namespace {

DWORD ViewStyleBits(TViewStyle style) {
  switch (style) {
  case TViewStyle::vsIcon:
    return LVS_ICON;
  case TViewStyle::vsSmallIcon:
    return LVS_SMALLICON;
  case TViewStyle::vsList:
    return LVS_LIST;
  case TViewStyle::vsReport:
    break;
  }
  return LVS_REPORT;
}

int ColumnFormat(TAlignment alignment) {
  switch (alignment) {
  case TAlignment::taRightJustify:
    return LVCFMT_RIGHT;
  case TAlignment::taCenter:
    return LVCFMT_CENTER;
  case TAlignment::taLeftJustify:
    break;
  }
  return LVCFMT_LEFT;
}

constexpr DWORD kStyleBits = LVS_TYPEMASK | LVS_SINGLESEL | LVS_EDITLABELS;

// A text of the list's wide notifications in the program's code page.
std::string Narrow(LPCWSTR text) {
  if (!text)
    return {};
  int size = WideCharToMultiByte(932, 0, text, -1, nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<size_t>(std::max(size, 1)), '\0');
  WideCharToMultiByte(932, 0, text, -1, narrow.data(), size, nullptr, nullptr);
  narrow.resize(strlen(narrow.c_str()));
  return narrow;
}

} // namespace

void TListView::CreateParams(TCreateParams& params) {
  params.WinClassName = WC_LISTVIEWA;
  params.Native = true;
  // The list never destroys an image list: the system's are shared by every window.
  params.Style |= ViewStyleBits(viewStyle_) | LVS_SHAREIMAGELISTS |
                  (multiSelect_ ? 0 : LVS_SINGLESEL) | (readOnly_ ? 0 : LVS_EDITLABELS) |
                  (OwnerData ? LVS_OWNERDATA : 0) |
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
  for (size_t i = 0; i < columns_.size(); ++i)
    InsertColumnWindow(static_cast<int>(i));
  if (columnOrder_.size() == columns_.size() && !columnOrder_.empty())
    SetColumnOrder(columnOrder_);
  int rows = rows_;
  rows_ = 0;
  SetRows(rows);
  SelectRow(itemIndex_);
  if (updateDepth_ > 0)
    SendMessageA(window, WM_SETREDRAW, FALSE, 0);
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

void TListView::ApplyStyles() {
  if (!HandleAllocated())
    return;
  TCreateParams params;
  CreateParams(params);
  HWND window = Handle();
  LONG style = GetWindowLongA(window, GWL_STYLE);
  SetWindowLongA(window, GWL_STYLE,
                 static_cast<LONG>((static_cast<DWORD>(style) & ~kStyleBits) |
                                   (params.Style & kStyleBits)));
  Invalidate();
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
  columnOrder_ = ColumnOrder();
  for (size_t i = 0; i < columns_.size(); ++i)
    columns_[i].width = ColumnWidth(static_cast<int>(i));
}

void TListView::SetViewStyle(TViewStyle style) {
  viewStyle_ = style;
  ApplyStyles();
}

void TListView::SetMultiSelect(bool multiSelect) {
  multiSelect_ = multiSelect;
  ApplyStyles();
}

void TListView::SetReadOnly(bool readOnly) {
  readOnly_ = readOnly;
  ApplyStyles();
}

void TListView::InsertColumnWindow(int index) {
  TColumn& stored = columns_[static_cast<size_t>(index)];
  LVCOLUMNA column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
  column.fmt = ColumnFormat(stored.alignment);
  column.pszText = stored.caption.data();
  column.cx = stored.width;
  SendMessageA(Handle(), LVM_INSERTCOLUMNA, static_cast<WPARAM>(index),
               reinterpret_cast<LPARAM>(&column));
}

void TListView::AddColumn(const std::string& caption, int width, TAlignment alignment) {
  columns_.push_back({caption, width, alignment});
  columnOrder_.clear();
  if (HandleAllocated())
    InsertColumnWindow(ColumnCount() - 1);
}

void TListView::DeleteColumn(int index) {
  columns_.erase(columns_.begin() + index);
  columnOrder_.clear();
  if (HandleAllocated())
    SendMessageA(Handle(), LVM_DELETECOLUMN, static_cast<WPARAM>(index), 0);
}

void TListView::ClearColumns() {
  while (ColumnCount() > 0)
    DeleteColumn(ColumnCount() - 1);
}

std::vector<int> TListView::ColumnOrder() {
  std::vector<int> order(columns_.size());
  for (size_t i = 0; i < order.size(); ++i)
    order[i] = static_cast<int>(i);
  if (HandleAllocated() && !order.empty())
    SendMessageA(Handle(), LVM_GETCOLUMNORDERARRAY, order.size(),
                 reinterpret_cast<LPARAM>(order.data()));
  else if (columnOrder_.size() == order.size())
    order = columnOrder_;
  return order;
}

void TListView::SetColumnOrder(const std::vector<int>& order) {
  if (order.size() != columns_.size())
    return;
  columnOrder_ = order;
  if (HandleAllocated() && !order.empty())
    SendMessageA(Handle(), LVM_SETCOLUMNORDERARRAY, order.size(),
                 reinterpret_cast<LPARAM>(columnOrder_.data()));
}

int TListView::ColumnWidth(int index) {
  if (HandleAllocated())
    return static_cast<int>(SendMessageA(Handle(), LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(index), 0));
  return columns_.at(static_cast<size_t>(index)).width;
}

void TListView::SetColumnWidth(int index, int width) {
  columns_.at(static_cast<size_t>(index)).width = width;
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

UINT TListView::ItemState(int index, UINT mask) {
  if (!HandleAllocated())
    return 0;
  return static_cast<UINT>(SendMessageA(Handle(), LVM_GETITEMSTATE, static_cast<WPARAM>(index), mask));
}

void TListView::SetItemState(int index, UINT state, UINT mask) {
  if (!HandleAllocated())
    return;
  LVITEMA item{};
  item.state = state;
  item.stateMask = mask;
  SendMessageA(Handle(), LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

void TListView::SetSelected(int index, bool selected) {
  SetItemState(index, selected ? LVIS_SELECTED : 0, LVIS_SELECTED);
}

int TListView::SelectedCount() {
  return HandleAllocated() ? static_cast<int>(SendMessageA(Handle(), LVM_GETSELECTEDCOUNT, 0, 0)) : 0;
}

std::vector<int> TListView::SelectedIndexes() {
  std::vector<int> selected;
  if (!HandleAllocated())
    return selected;
  for (int index = -1;;) {
    index = static_cast<int>(
        SendMessageA(Handle(), LVM_GETNEXTITEM, static_cast<WPARAM>(index), LVNI_SELECTED));
    if (index < 0)
      return selected;
    selected.push_back(index);
  }
}

int TListView::FocusedIndex() {
  if (!HandleAllocated())
    return -1;
  return static_cast<int>(
      SendMessageA(Handle(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
}

void TListView::SetFocusedIndex(int index) {
  if (index >= 0)
    SetItemState(index, LVIS_FOCUSED, LVIS_FOCUSED);
}

int TListView::HitTest(POINT point, UINT* flags) {
  LVHITTESTINFO info{};
  info.pt = point;
  int index = HandleAllocated() ? static_cast<int>(SendMessageA(Handle(), LVM_HITTEST, 0,
                                                                reinterpret_cast<LPARAM>(&info)))
                                : -1;
  if (flags)
    *flags = info.flags;
  return index;
}

RECT TListView::ItemRect(int index, int code) {
  RECT rect{code, 0, 0, 0};
  if (!HandleAllocated() || !SendMessageA(Handle(), LVM_GETITEMRECT, static_cast<WPARAM>(index),
                                          reinterpret_cast<LPARAM>(&rect)))
    return {};
  return rect;
}

RECT TListView::SubItemRect(int index, int subItem, int code) {
  RECT rect{code, subItem, 0, 0};
  if (!HandleAllocated() || !SendMessageA(Handle(), LVM_GETSUBITEMRECT, static_cast<WPARAM>(index),
                                          reinterpret_cast<LPARAM>(&rect)))
    return {};
  return rect;
}

void TListView::BeginUpdate() {
  if (updateDepth_++ == 0 && HandleAllocated())
    SendMessageA(Handle(), WM_SETREDRAW, FALSE, 0);
}

void TListView::EndUpdate() {
  if (updateDepth_ == 0 || --updateDepth_ > 0 || !HandleAllocated())
    return;
  SendMessageA(Handle(), WM_SETREDRAW, TRUE, 0);
  Invalidate();
}

HWND TListView::EditLabel(int index) {
  if (!HandleAllocated())
    return nullptr;
  SetFocus();
  return reinterpret_cast<HWND>(SendMessageA(Handle(), LVM_EDITLABELA, static_cast<WPARAM>(index), 0));
}

void TListView::MakeVisible(int index) {
  if (HandleAllocated())
    SendMessageA(Handle(), LVM_ENSUREVISIBLE, static_cast<WPARAM>(index), FALSE);
}

TListItem* TListView::ItemForRow(int row, unsigned request) {
  if (!OwnerData)
    return row >= 0 && row < static_cast<int>(items_.size()) ? items_[static_cast<size_t>(row)].get()
                                                              : nullptr;
  scratch_.Caption.clear();
  scratch_.SubItems.Clear();
  scratch_.Data = nullptr;
  scratch_.ImageIndex = -1;
  scratch_.State = scratch_.StateMask = 0;
  scratch_.index_ = row;
  OwnerDataFetch(scratch_, request);
  return &scratch_;
}

void TListView::OwnerDataFetch(TListItem& item, unsigned) {
  if (OnData && EventsAllowed())
    OnData(this, item);
}

int TListView::OwnerDataFind(TItemFind, const std::string&, void*, int, bool) {
  return -1;
}

bool TListView::OwnerDataHint(int, int) {
  return false;
}

bool TListView::OwnerDataStateChange(int, int, UINT, UINT) {
  return false;
}

std::string TListView::CellText(int row, int column) {
  TListItem* item = ItemForRow(row, irText);
  if (!item)
    return {};
  if (column == 0)
    return item->Caption;
  return column - 1 < item->SubItems.Count() ? item->SubItems[column - 1] : std::string();
}

void TListView::GetDispInfo(LVITEMA& item) {
  if (item.mask & LVIF_TEXT) {
    textBuffer_ = CellText(item.iItem, item.iSubItem);
    lstrcpynA(item.pszText, textBuffer_.c_str(), item.cchTextMax);
  }
  unsigned request = 0;
  if (item.mask & LVIF_IMAGE)
    request |= irImage;
  if (item.mask & LVIF_STATE)
    request |= irState;
  if (request == 0)
    return;
  TListItem* row = item.iSubItem == 0 ? ItemForRow(item.iItem, request) : nullptr;
  if (item.mask & LVIF_IMAGE)
    item.iImage = row ? row->ImageIndex : -1;
  if ((item.mask & LVIF_STATE) && row) {
    item.state = (item.state & ~row->StateMask) | (row->State & row->StateMask);
    item.stateMask |= row->StateMask;
  }
}

bool TListView::CanSelectRow(int) {
  return true;
}

bool TListView::CanEdit(int) {
  return !readOnly_;
}

bool TListView::Edit(int index, const std::string& text) {
  if (OwnerData || index < 0 || index >= static_cast<int>(items_.size()))
    return false;
  items_[static_cast<size_t>(index)]->Caption = text;
  return true;
}

void TListView::ColumnClick(int column) {
  if (OnColumnClick && EventsAllowed())
    OnColumnClick(this, column);
}

void TListView::ItemActivate(const NMITEMACTIVATE&) {}

void TListView::ItemChanged(const NMLISTVIEW&) {}

LRESULT TListView::CustomDraw(NMLVCUSTOMDRAW&) {
  return CDRF_DODEFAULT;
}

// Item and sub-item stages draw on a saved DC through the canvas; colours a handler changed
// are handed to the list.
LRESULT TListView::HandleCustomDraw(NMLVCUSTOMDRAW& draw) {
  if (!(draw.nmcd.dwDrawStage & CDDS_ITEM))
    return CustomDraw(draw);
  HDC dc = draw.nmcd.hdc;
  int saved = SaveDC(dc);
  canvas_.dc_ = dc;
  canvas_.font_ = Font().Handle();
  canvas_.textColor_ = ColorToRGB(Font().Color());
  canvas_.backColor_ = ColorToRGB(Color());
  canvas_.changed_ = false;
  SelectObject(dc, canvas_.font_);
  LRESULT result = CustomDraw(draw);
  if (canvas_.changed_) {
    draw.clrText = canvas_.textColor_;
    draw.clrTextBk = canvas_.backColor_;
  }
  canvas_.dc_ = nullptr;
  RestoreDC(dc, saved);
  return result;
}

LRESULT TListView::FindItem(const NMLVFINDITEMA& find, const std::string& text) {
  const UINT flags = find.lvfi.flags;
  if (flags & LVFI_PARAM)
    return OwnerDataFind(TItemFind::ifData, {}, reinterpret_cast<void*>(find.lvfi.lParam),
                         find.iStart, (flags & LVFI_WRAP) != 0);
  // Type-ahead comes as a partial search, with or without LVFI_STRING.
  TItemFind kind = (flags & LVFI_PARTIAL) ? TItemFind::ifPartialString
                                                             : TItemFind::ifExactString;
  if (!(flags & (LVFI_STRING | LVFI_PARTIAL)))
    return -1;
  return OwnerDataFind(kind, text, nullptr, find.iStart, (flags & LVFI_WRAP) != 0);
}

bool TListView::HandleNotify(TMessage& message) {
  auto* header = reinterpret_cast<NMHDR*>(message.LParam);
  switch (header->code) {
  case LVN_GETDISPINFOA:
    GetDispInfo(reinterpret_cast<NMLVDISPINFOA*>(message.LParam)->item);
    return true;
  case LVN_ODFINDITEMA: {
    auto* find = reinterpret_cast<NMLVFINDITEMA*>(message.LParam);
    message.Result = FindItem(*find, find->lvfi.psz ? find->lvfi.psz : "");
    return true;
  }
  case LVN_ODFINDITEMW: {
    // Same layout; the text is wide.
    auto* find = reinterpret_cast<NMLVFINDITEMA*>(message.LParam);
    message.Result = FindItem(*find, Narrow(reinterpret_cast<LPCWSTR>(find->lvfi.psz)));
    return true;
  }
  case LVN_ODCACHEHINT: {
    auto* hint = reinterpret_cast<NMLVCACHEHINT*>(message.LParam);
    OwnerDataHint(hint->iFrom, hint->iTo);
    return true;
  }
  case LVN_ODSTATECHANGED: {
    auto* change = reinterpret_cast<NMLVODSTATECHANGE*>(message.LParam);
    OwnerDataStateChange(change->iFrom, change->iTo, change->uOldState, change->uNewState);
    return true;
  }
  case LVN_BEGINLABELEDITA:
  case LVN_BEGINLABELEDITW:
    message.Result = !CanEdit(reinterpret_cast<NMLVDISPINFOA*>(message.LParam)->item.iItem);
    return true;
  case LVN_ENDLABELEDITA:
  case LVN_ENDLABELEDITW: {
    LVITEMA& item = reinterpret_cast<NMLVDISPINFOA*>(message.LParam)->item;
    if (!item.pszText) // cancelled
      return true;
    std::string text = header->code == LVN_ENDLABELEDITA
                           ? std::string(item.pszText)
                           : Narrow(reinterpret_cast<LPCWSTR>(item.pszText));
    message.Result = Edit(item.iItem, text);
    return true;
  }
  case LVN_COLUMNCLICK:
    ColumnClick(reinterpret_cast<NMLISTVIEW*>(message.LParam)->iSubItem);
    return true;
  case LVN_ITEMACTIVATE:
    ItemActivate(*reinterpret_cast<NMITEMACTIVATE*>(message.LParam));
    return true;
  case NM_CUSTOMDRAW:
    message.Result = HandleCustomDraw(*reinterpret_cast<NMLVCUSTOMDRAW*>(message.LParam));
    return true;
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
    ItemChanged(*change);
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

void FillListViewCaptions(TListView& listView, const std::vector<std::string>& strings) {
  listView.BeginUpdate();
  listView.ClearItems();
  for (const std::string& text : strings)
    if (!text.empty())
      listView.AddItem()->Caption = text;
  listView.EndUpdate();
}

} // namespace quolin
