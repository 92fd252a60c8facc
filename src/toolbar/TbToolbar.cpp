#include "toolbar/TbToolbar.h"

#include "core/Exceptions.h"
#include "toolbar/ToolWindowParts.h"

#include <algorithm>
#include <utility>

namespace quolin {

namespace {

ToolbarOrientation OrientationOn(const TDock* dock) {
  if (!dock)
    return ToolbarOrientation::Floating;
  return dock->Vertical() ? ToolbarOrientation::Vertical : ToolbarOrientation::Horizontal;
}

void FillLine(HDC dc, int left, int top, int right, int bottom, int systemColor) {
  RECT rect{left, top, right, bottom};
  FillRect(dc, &rect, GetSysColorBrush(systemColor));
}

} // namespace

TCustomToolbar::TCustomToolbar(TComponent* owner) : TCustomToolWindow(owner) {
}

void TCustomToolbar::CreateParams(TCreateParams& params) {
  TCustomToolWindow::CreateParams(params);
  params.WinClassName = "TToolbar";
}

void TCustomToolbar::SetFloatingRightX(int width) {
  if (std::exchange(floatingRightX_, width) != width && Floating())
    Relayout();
}

void TCustomToolbar::SetSlaveControl(TControl* topBottom, TControl* leftRight) {
  slaves_.push_back({topBottom, leftRight});
  Relayout();
}

void TCustomToolbar::Relayout() {
  BeginUpdate();
  EndUpdate();
}

std::vector<TControl*> TCustomToolbar::OrderedControls() const {
  std::vector<TControl*> controls;
  for (TControl* control : order_)
    if (control->Parent() == this)
      controls.push_back(control);
  return controls;
}

std::vector<ToolbarItem> TCustomToolbar::Items(const std::vector<TControl*>& controls) const {
  std::vector<ToolbarItem> items;
  for (TControl* control : controls) {
    ToolbarItem item;
    item.width = control->Width();
    item.height = control->Height();
    item.visible = control->Visible();
    if (auto* separator = dynamic_cast<TToolbarSep*>(control)) {
      item.separator = true;
      item.sizeHorz = separator->SizeHorz();
      item.sizeVert = separator->SizeVert();
      item.blank = separator->Blank();
    }
    for (const SlavePair& pair : slaves_) {
      // The members' visibility is the layout's own.
      if (control == pair.topBottom || control == pair.leftRight)
        item.visible = true;
      if (control == pair.topBottom)
        item.slave = ToolbarSlaveRole::TopBottom;
      else if (control == pair.leftRight)
        item.slave = ToolbarSlaveRole::LeftRight;
    }
    items.push_back(item);
  }
  return items;
}

void TCustomToolbar::ShowSlaves(ToolbarOrientation orientation) {
  const bool vertical = orientation == ToolbarOrientation::Vertical;
  for (const SlavePair& pair : slaves_) {
    if (pair.topBottom)
      pair.topBottom->SetVisible(!vertical);
    if (pair.leftRight)
      pair.leftRight->SetVisible(vertical);
  }
}

int TCustomToolbar::GetRowExtent(bool verticalDock) {
  return ToolbarRowExtent(Items(OrderedControls()), verticalDock ? ToolbarOrientation::Vertical
                                                                 : ToolbarOrientation::Horizontal);
}

SIZE TCustomToolbar::GetMinimumClientSize() {
  return {0, 0};
}

SIZE TCustomToolbar::GetSizeForDock(TDock* dock, bool moveChildren) {
  const ToolbarOrientation orientation = OrientationOn(dock);
  const std::vector<TControl*> controls = OrderedControls();
  const std::vector<ToolbarItem> items = Items(controls);
  const int rowExtent = RowExtentOn(dock, items);
  const ToolbarLayoutResult layout =
      LayoutToolbar(items, orientation, dock ? 0 : floatingRightX_, rowExtent);
  if (moveChildren) {
    TCounted moving(movingControls_);
    ShowSlaves(orientation);
    for (size_t i = 0; i < controls.size(); ++i) {
      if (!layout.placed[i])
        continue;
      const DockRect& rect = layout.placements[i];
      controls[i]->SetBounds(rect.left, rect.top, rect.Width(), rect.Height());
    }
    lineSeparators_ = layout.lineSeparators;
    placedRowExtent_ = rowExtent;
    if (!dock)
      Invalidate();
  }
  return {layout.size.cx, layout.size.cy};
}

// All windows of a row share its thickness. The dock's size of the row is the one it had at
// its last arrangement: a toolbar that has grown since is never squeezed into it.
int TCustomToolbar::RowExtentOn(TDock* dock, const std::vector<ToolbarItem>& items) {
  const int own = ToolbarRowExtent(items, OrientationOn(dock));
  if (!dock || dock != DockedTo())
    return own;
  return std::max(own, dock->GetRowSize(DockRow(), this));
}

// The dock placed the toolbar in a row of another thickness: the controls follow it.
void TCustomToolbar::Resize() {
  TCustomToolWindow::Resize();
  TDock* dock = DockedTo();
  if (!dock || movingControls_ > 0 || Destroying())
    return;
  if (RowExtentOn(dock, Items(OrderedControls())) != placedRowExtent_)
    GetSizeForDock(dock, true);
}

void TCustomToolbar::ChildChanged(TControl* child, TChildChange change) {
  TCustomToolWindow::ChildChanged(child, change);
  if (Destroying())
    return;
  if (change == TChildChange::Joined &&
      std::find(order_.begin(), order_.end(), child) == order_.end())
    order_.push_back(child);
  if (change == TChildChange::Left) {
    order_.erase(std::remove(order_.begin(), order_.end(), child), order_.end());
    std::erase_if(slaves_, [child](const SlavePair& pair) {
      return pair.topBottom == child || pair.leftRight == child;
    });
  }
  if (movingControls_ == 0)
    Relayout();
}

void TCustomToolbar::BeginSizing(SizingEdges edges) {
  TCustomToolWindow::BeginSizing(edges);
  wrapBeforeSizing_ = floatingRightX_;
  const std::vector<ToolbarItem> items = Items(OrderedControls());
  std::vector<ToolbarShape> shapes =
      AchievableSizes(items, ToolbarRowExtent(items, ToolbarOrientation::Floating));
  const DockInsets frame = FrameInsets();
  for (ToolbarShape& shape : shapes) {
    shape.size.cx += frame.Horizontal();
    shape.size.cy += frame.Vertical();
  }
  const bool byHeight = (edges & (seLeft | seRight)) == 0;
  snap_ =
      std::make_unique<ToolbarSizeSnap>(std::move(shapes), byHeight, DockSize{Width(), Height()});
}

// The moving edges give way to the achievable size nearest the pointer.
void TCustomToolbar::AdjustSizingRect(SizingEdges edges, DockRect& rect) {
  TCustomToolWindow::AdjustSizingRect(edges, rect);
  if (!snap_)
    return;
  const ToolbarShape& shape = snap_->Snap({rect.Width(), rect.Height()});
  floatingRightX_ = shape.wrapWidth;
  if (edges & seLeft)
    rect.left = rect.right - shape.size.cx;
  else
    rect.right = rect.left + shape.size.cx;
  if (edges & seTop)
    rect.top = rect.bottom - shape.size.cy;
  else
    rect.bottom = rect.top + shape.size.cy;
}

void TCustomToolbar::EndSizing(bool accepted) {
  TCustomToolWindow::EndSizing(accepted);
  snap_.reset();
  if (!accepted)
    floatingRightX_ = wrapBeforeSizing_;
  Relayout();
}

void TCustomToolbar::WritePositionData(TPositionWriteIntProc writeInt,
                                       TPositionWriteStringProc writeString, void* extra) {
  TCustomToolWindow::WritePositionData(writeInt, writeString, extra);
  writeInt(Name(), "FloatRightX", floatingRightX_, extra);
}

void TCustomToolbar::ReadPositionData(TPositionReadIntProc readInt,
                                      TPositionReadStringProc readString, void* extra) {
  TCustomToolWindow::ReadPositionData(readInt, readString, extra);
  floatingRightX_ = readInt(Name(), "FloatRightX", 0, extra);
}

void TCustomToolbar::WndProc(TMessage& message) {
  if (message.Msg == WM_WINDOWPOSCHANGED && Floating()) {
    const auto* position = reinterpret_cast<const WINDOWPOS*>(message.LParam);
    // The class does not redraw on sizing: the separator lines move with the wrap.
    if (!(position->flags & SWP_NOSIZE) || (position->flags & SWP_FRAMECHANGED))
      Invalidate();
  }
  TCustomToolWindow::WndProc(message);
}

void TCustomToolbar::Paint(HDC dc) {
  if (Floating()) {
    const int width = ClientWidth();
    for (const ToolbarLineSeparator& line : lineSeparators_) {
      if (line.blank)
        continue;
      FillLine(dc, 1, line.offset - 4, width - 1, line.offset - 3, COLOR_BTNSHADOW);
      FillLine(dc, 1, line.offset - 3, width - 1, line.offset - 2, COLOR_BTNHIGHLIGHT);
    }
  }
  TCustomToolWindow::Paint(dc);
}

bool TCustomToolbar::CanDrag() const {
  if (TDock* dock = DockedTo())
    return dock->AllowDrag();
  return Floating();
}

void TCustomToolbar::PressAt(POINT client) {
  if (CanDrag())
    BeginMoving(client);
}

// Empty space drags the toolbar; a double click there does nothing.
void TCustomToolbar::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TCustomToolWindow::MouseDown(button, shift, x, y);
  if (button != TMouseButton::mbLeft || (shift & ssDouble) || x < 0 || y < 0)
    return;
  PressAt({x, y});
}

TToolbar::TToolbar(TComponent* owner) : TCustomToolbar(owner) {
}

TToolbarSep::TToolbarSep(TComponent* owner) : TCustomControl(owner) {
  parentBackground_ = true;
  SetBounds(0, 0, sizeHorz_, sizeVert_);
}

void TToolbarSep::SetParent(TControl* parent) {
  if (parent && !dynamic_cast<TCustomToolbar*>(parent))
    throw EInvalidOperation("TToolbarSep can only be placed on a TToolbar");
  TCustomControl::SetParent(parent);
}

TCustomToolbar* TToolbarSep::Toolbar() const {
  return dynamic_cast<TCustomToolbar*>(Parent());
}

void TToolbarSep::Changed() {
  Invalidate();
  if (TCustomToolbar* toolbar = Toolbar())
    toolbar->Relayout();
}

void TToolbarSep::SetSizeHorz(TToolbarSepSize size) {
  if (std::exchange(sizeHorz_, size) != size)
    Changed();
}

void TToolbarSep::SetSizeVert(TToolbarSepSize size) {
  if (std::exchange(sizeVert_, size) != size)
    Changed();
}

void TToolbarSep::SetBlank(bool blank) {
  if (std::exchange(blank_, blank) != blank)
    Changed();
}

void TToolbarSep::Paint(HDC dc) {
  TCustomControl::Paint(dc);
  if (blank_)
    return;
  const TCustomToolbar* toolbar = Toolbar();
  const bool acrossVertically =
      !toolbar || !toolbar->DockedTo() || !toolbar->DockedTo()->Vertical();
  const int width = Width();
  const int height = Height();
  if (acrossVertically) {
    FillLine(dc, width / 2 - 1, 0, width / 2, height, COLOR_BTNSHADOW);
    FillLine(dc, width / 2, 0, width / 2 + 1, height, COLOR_BTNHIGHLIGHT);
  } else {
    FillLine(dc, 0, height / 2 - 1, width, height / 2, COLOR_BTNSHADOW);
    FillLine(dc, 0, height / 2, width, height / 2 + 1, COLOR_BTNHIGHLIGHT);
  }
}

// The toolbar takes the press as one on its own space; the drag ends this press too.
void TToolbarSep::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TCustomControl::MouseDown(button, shift, x, y);
  TCustomToolbar* toolbar = Toolbar();
  if (!toolbar || button != TMouseButton::mbLeft || (shift & ssDouble) || !toolbar->CanDrag())
    return;
  POINT screen = ClientToScreen(POINT{x, y});
  toolbar->PressAt(toolbar->ScreenToClient(screen));
  Perform(WM_LBUTTONUP, 0, MAKELPARAM(-1, -1));
}

} // namespace quolin
