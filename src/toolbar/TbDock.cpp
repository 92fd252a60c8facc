#include "toolbar/TbDock.h"

#include "core/Exceptions.h"

#include <algorithm>

namespace quolin {

namespace {

constexpr TAlign DockAlign[] = {alTop, alBottom, alLeft, alRight};

bool Listed(const std::vector<TCustomToolWindow*>& list, const TComponent* window) {
  return std::find(list.begin(), list.end(), window) != list.end();
}

void Unlist(std::vector<TCustomToolWindow*>& list, const TComponent* window) {
  list.erase(std::remove(list.begin(), list.end(), window), list.end());
}

// The colours of a bitmap with a colour table (a DIB section of up to 256 colours).
HPALETTE PaletteOf(HBITMAP bitmap) {
  DIBSECTION section{};
  if (!bitmap || GetObjectA(bitmap, sizeof section, &section) != sizeof section ||
      section.dsBmih.biBitCount > 8)
    return nullptr;
  RGBQUAD colors[256];
  UINT count = 0;
  {
    TMemoryDC dc(bitmap);
    count = GetDIBColorTable(dc.Get(), 0, 256, colors);
  }
  if (count == 0)
    return nullptr;
  std::vector<BYTE> buffer(sizeof(LOGPALETTE) + count * sizeof(PALETTEENTRY));
  auto* palette = reinterpret_cast<LOGPALETTE*>(buffer.data());
  palette->palVersion = 0x300;
  palette->palNumEntries = static_cast<WORD>(count);
  for (UINT i = 0; i < count; ++i)
    palette->palPalEntry[i] = {colors[i].rgbRed, colors[i].rgbGreen, colors[i].rgbBlue, 0};
  return CreatePalette(palette);
}

} // namespace

TDock::TDock(TComponent* owner) : TCustomControl(owner) {
  SetBounds(0, 0, 0, 0);
  SetAlign(alTop);
}

void TDock::SetPosition(TDockPosition position) {
  if (position == position_)
    return;
  if (ControlCount() > 0)
    throw EInvalidOperation("Cannot change Position of a TDock if it already contains controls");
  position_ = position;
  SetAlign(DockAlign[position]);
}

void TDock::SetParent(TControl* parent) {
  for (TControl* walk = parent; walk; walk = walk->Parent())
    if (dynamic_cast<TDock*>(walk) || dynamic_cast<TCustomToolWindow*>(walk))
      throw EInvalidOperation(
          "A TDock control cannot be placed inside a tool window or another TDock");
  TCustomControl::SetParent(parent);
}

void TDock::SetAllowDrag(bool allowDrag) {
  if (allowDrag == allowDrag_)
    return;
  allowDrag_ = allowDrag;
  ReframeWindows();
}

void TDock::SetBackground(const TBitmap& bitmap) {
  background_.Assign(bitmap);
  palette_.reset(PaletteOf(bitmap.Handle()));
  BackgroundChanged();
}

void TDock::SetBackgroundOnToolbars(bool on) {
  if (on == backgroundOnToolbars_)
    return;
  backgroundOnToolbars_ = on;
  BackgroundChanged();
}

void TDock::SetBackgroundTransparent(bool transparent) {
  if (transparent == backgroundTransparent_)
    return;
  backgroundTransparent_ = transparent;
  BackgroundChanged();
}

void TDock::SetBoundLines(TDockBoundLines lines) {
  if (lines == boundLines_)
    return;
  boundLines_ = lines;
  if (HandleAllocated())
    SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ArrangeToolbars(false);
}

void TDock::SetFixAlign(bool fixAlign) {
  if (fixAlign == fixAlign_)
    return;
  fixAlign_ = fixAlign;
  ArrangeToolbars(false);
}

void TDock::SetLimitToOneRow(bool limit) {
  if (limit == limitToOneRow_)
    return;
  limitToOneRow_ = limit;
  ArrangeToolbars(false);
}

void TDock::BeginUpdate() {
  ++updateCount_;
}

void TDock::EndUpdate() {
  if (updateCount_ > 0 && --updateCount_ == 0 && arrangeNeeded_)
    ArrangeToolbars(clipPositions_);
}

void TDock::ArrangeToolbars(bool clip) {
  if (clip)
    clipPositions_ = true;
  if (updateCount_ > 0 || Loading()) {
    arrangeNeeded_ = true;
    return;
  }
  if (Destroying())
    return;
  // Calls that the arrangement causes (its own resize) are deferred, then dropped: it has
  // just arranged.
  ++updateCount_;
  struct Done {
    TDock* dock;
    ~Done() {
      --dock->updateCount_;
      dock->arrangeNeeded_ = false;
      dock->clipPositions_ = false;
    }
  } done{this};
  Arrange();
}

DockLayout TDock::Layout(LayoutInput& input) const {
  for (size_t i = 0; i < dockList_.size(); ++i) {
    TCustomToolWindow* window = dockList_[i];
    DockEntry entry;
    entry.row = window->dockRow_;
    entry.position = window->dockPos_;
    entry.width = window->Width();
    entry.height = window->Height();
    entry.rowExtent = window->GetRowExtent(Vertical());
    entry.fullSize = window->fullSize_;
    entry.shown = Listed(visibleList_, window);
    entry.id = static_cast<int>(i);
    entry.creation = window->creation_;
    input.entries.push_back(entry);
  }
  for (DockEntry& entry : input.entries)
    input.pointers.push_back(&entry);
  return DockLayout(input.pointers, rowSizes_);
}

template <typename Operation> void TDock::ChangeRows(Operation operation) {
  LayoutInput input;
  DockLayout layout = Layout(input);
  operation(layout);
  for (const DockEntry& entry : input.entries)
    dockList_[static_cast<size_t>(entry.id)]->dockRow_ = entry.row;
}

void TDock::Arrange() {
  if (HandleAllocated())
    SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  LayoutInput input;
  DockLayout layout = Layout(input);
  DockArrangeParams params;
  params.vertical = Vertical();
  params.outerWidth = Width();
  params.outerHeight = Height();
  params.linesHorizontal = LineInsets().Horizontal();
  params.linesVertical = LineInsets().Vertical();
  params.limitToOneRow = limitToOneRow_;
  params.fixAlign = fixAlign_;
  params.clip = clipPositions_;
  int thickness = layout.ArrangeToolbars(params);
  rowSizes_ = layout.RowSizes();
  const std::vector<DockEntry*>& sorted = layout.Entries();
  std::vector<TCustomToolWindow*> ordered;
  for (const DockEntry* entry : sorted) {
    TCustomToolWindow* window = dockList_[static_cast<size_t>(entry->id)];
    window->dockRow_ = entry->row;
    window->dockPos_ = entry->position;
    ordered.push_back(window);
  }
  dockList_ = ordered;
  for (size_t i = 0; i < sorted.size(); ++i)
    if (sorted[i]->shown)
      dockList_[i]->PlaceByDock(sorted[i]->placement);
  SetThickness(thickness);
}

DockInsets TDock::LineInsets() const {
  auto has = [this](TDockBoundLine line) { return (boundLines_ & line) ? 1 : 0; };
  return {has(blLeft), has(blTop), has(blRight), has(blBottom)};
}

void TDock::SetThickness(int thickness) {
  switch (position_) {
  case dpTop:
    SetBounds(Left(), Top(), Width(), thickness);
    break;
  case dpBottom:
    SetBounds(Left(), Top() + Height() - thickness, Width(), thickness);
    break;
  case dpLeft:
    SetBounds(Left(), Top(), thickness, Height());
    break;
  case dpRight:
    SetBounds(Left() + Width() - thickness, Top(), thickness, Height());
    break;
  }
}

int TDock::GetHighestRow() const {
  LayoutInput input;
  return Layout(input).GetHighestRow();
}

int TDock::GetRowSize(int row, TCustomToolWindow* window) const {
  LayoutInput input;
  return Layout(input).GetRowSize(row, window ? window->GetRowExtent(Vertical()) : 0);
}

DockRowHit TDock::GetRowOf(int position) const {
  LayoutInput input;
  return Layout(input).GetRowOf(position);
}

void TDock::InsertRowBefore(int row) {
  ChangeRows([row](DockLayout& layout) { layout.InsertRowBefore(row); });
}

void TDock::RemoveBlankRows() {
  ChangeRows([](DockLayout& layout) { layout.RemoveBlankRows(); });
}

int TDock::GetNumberOfToolbarsOnRow(int row, TCustomToolWindow* notThis) const {
  LayoutInput input;
  DockLayout layout = Layout(input);
  auto found = std::find(dockList_.begin(), dockList_.end(), notThis);
  const DockEntry* skip = found == dockList_.end()
                              ? nullptr
                              : input.pointers[static_cast<size_t>(found - dockList_.begin())];
  return layout.GetNumberOfToolbarsOnRow(row, skip);
}

void TDock::ChangeDockList(bool insert, TCustomToolWindow* window) {
  if (insert && !Listed(dockList_, window)) {
    dockList_.push_back(window);
    FreeNotification(window);
  } else if (!insert) {
    Unlist(dockList_, window);
  }
  ToolbarVisibilityChanged(window);
}

void TDock::ToolbarVisibilityChanged(TCustomToolWindow* window) {
  bool shown = Listed(dockList_, window) && window->Parent() == this && window->Visible();
  if (shown == Listed(visibleList_, window))
    return;
  if (shown)
    visibleList_.push_back(window);
  else
    Unlist(visibleList_, window);
  ArrangeToolbars(false);
  if (OnInsertRemoveBar && EventsAllowed())
    OnInsertRemoveBar(this, shown, window);
}

void TDock::Notification(TComponent* component, TOperation operation) {
  TCustomControl::Notification(component, operation);
  if (operation != TOperation::opRemove || !Listed(dockList_, component))
    return;
  Unlist(dockList_, component);
  Unlist(visibleList_, component);
  ArrangeToolbars(false);
}

void TDock::Loaded() {
  TCustomControl::Loaded();
  ArrangeToolbars(false);
}

void TDock::Resize() {
  ArrangeToolbars(false);
  TCustomControl::Resize();
}

void TDock::ReframeWindows() {
  Batch([this] {
    for (TCustomToolWindow* window : std::vector<TCustomToolWindow*>(dockList_))
      if (window->Parent() == this)
        window->Reframe();
  });
}

bool TDock::ToolbarsShowBackground() const {
  return backgroundOnToolbars_ && !background_.Empty();
}

const TBitmap& TDock::BackgroundToDraw() {
  if (!backgroundTransparent_)
    return background_;
  if (transparentCopy_.Empty()) {
    int width = background_.Width();
    int height = background_.Height();
    transparentCopy_.SetSize(width, height, Color());
    TMemoryDC source(background_.Handle());
    TMemoryDC copy(transparentCopy_.Handle());
    TransparentBlt(copy.Get(), 0, 0, width, height, source.Get(), 0, 0, width, height,
                   GetPixel(source.Get(), 0, height - 1));
  }
  return transparentCopy_;
}

void TDock::DrawBackground(HDC dc, const RECT& rect, POINT origin) {
  if (background_.Empty())
    return;
  const TBitmap& bitmap = BackgroundToDraw();
  int width = bitmap.Width();
  int height = bitmap.Height();
  HPALETTE oldPalette = nullptr;
  if (palette_) {
    oldPalette = SelectPalette(dc, palette_.get(), FALSE);
    RealizePalette(dc);
  }
  TMemoryDC source(bitmap.Handle());
  auto firstTile = [](int from, int origin, int size) {
    int offset = (from - origin) % size;
    return from - (offset < 0 ? offset + size : offset);
  };
  for (int y = firstTile(rect.top, origin.y, height); y < rect.bottom; y += height)
    for (int x = firstTile(rect.left, origin.x, width); x < rect.right; x += width)
      BitBlt(dc, x, y, width, height, source.Get(), 0, 0, SRCCOPY);
  if (oldPalette)
    SelectPalette(dc, oldPalette, FALSE);
}

void TDock::Paint(HDC dc) {
  RECT client = ClientRect();
  DrawBackground(dc, client, POINT{0, 0});
  TCustomControl::Paint(dc);
}

void TDock::ColorChanged() {
  TCustomControl::ColorChanged();
  BackgroundChanged();
}

void TDock::BackgroundChanged() {
  transparentCopy_.SetHandle(nullptr);
  if (HandleAllocated())
    RedrawWindow(Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void TDock::PaintBoundLines(HDC dc) {
  RECT window;
  GetWindowRect(Handle(), &window);
  int width = window.right - window.left;
  int height = window.bottom - window.top;
  RECT whole{0, 0, width, height};
  RECT client = ClientRect();
  MapWindowPoints(Handle(), nullptr, reinterpret_cast<POINT*>(&client), 2);
  OffsetRect(&client, -window.left, -window.top);
  int saved = SaveDC(dc);
  ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
  FillRect(dc, &whole, Brush());
  if (boundLines_ != 0 && !visibleList_.empty()) {
    HBRUSH shadow = GetSysColorBrush(COLOR_BTNSHADOW);
    HBRUSH highlight = GetSysColorBrush(COLOR_BTNHIGHLIGHT);
    const struct {
      TDockBoundLine line;
      RECT rect;
      HBRUSH brush;
    } lines[] = {{blTop, {0, 0, width, 1}, shadow},
                 {blLeft, {0, 0, 1, height}, shadow},
                 {blBottom, {0, height - 1, width, height}, highlight},
                 {blRight, {width - 1, 0, width, height}, highlight}};
    for (const auto& line : lines)
      if (boundLines_ & line.line)
        FillRect(dc, &line.rect, line.brush);
  }
  RestoreDC(dc, saved);
}

void TDock::WndProc(TMessage& message) {
  switch (message.Msg) {
  case WM_NCCALCSIZE:
    ApplyNCInsets(message.LParam, LineInsets());
    message.Result = 0;
    return;
  case WM_NCPAINT:
    PaintNonClient(Handle(), reinterpret_cast<HRGN>(message.WParam),
                   [this](HDC dc) { PaintBoundLines(dc); });
    message.Result = 0;
    return;
  case WM_PRINT:
    PrintWindowWithNC(Handle(), reinterpret_cast<HDC>(message.WParam), message.LParam,
                      [this](HDC dc) { PaintBoundLines(dc); });
    message.Result = 0;
    return;
  case WM_SYSCOLORCHANGE:
    BackgroundChanged();
    break;
  default:
    break;
  }
  TCustomControl::WndProc(message);
}

} // namespace quolin
