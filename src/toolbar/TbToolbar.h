// The dockable toolbar and its separator.
//
// A toolbar lays out its child controls (buttons, combo boxes, separators) in the order they
// joined it, by ToolbarLayout: in one line along its dock, or wrapped into lines while floating
// with a wrap width. It lays out again whenever a child joins, leaves, shows, hides or changes
// size (once for a whole BeginUpdate/EndUpdate); its own moves of the controls start none. The
// user sizes a floating toolbar only between the shapes its controls allow.
//
// A press on the toolbar's empty space or on a separator drags it like its handle does.
#pragma once

#include "core/ToolbarLayout.h"
#include "toolbar/TbDock.h"

#include <memory>
#include <vector>

namespace quolin {

class TCustomToolbar : public TCustomToolWindow {
public:
  // The floating wrap width; 0 keeps the controls in one line.
  int FloatingRightX() const { return floatingRightX_; }
  void SetFloatingRightX(int width);
  // A pair of alternatives: topBottom shows on top and bottom docks and while floating,
  // leftRight on left and right docks; the layout hides the other.
  void SetSlaveControl(TControl* topBottom, TControl* leftRight);
  // Where the floating toolbar draws a line between two of its lines.
  const std::vector<ToolbarLineSeparator>& LineSeparators() const { return lineSeparators_; }

  void WritePositionData(TPositionWriteIntProc writeInt, TPositionWriteStringProc writeString,
                         void* extra) override;
  void ReadPositionData(TPositionReadIntProc readInt, TPositionReadStringProc readString,
                        void* extra) override;

protected:
  explicit TCustomToolbar(TComponent* owner);

  void CreateParams(TCreateParams& params) override;
  void WndProc(TMessage& message) override;
  void Paint(HDC dc) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void ChildChanged(TControl* child, TChildChange change) override;
  void Resize() override;

  int GetRowExtent(bool verticalDock) override;
  SIZE GetMinimumClientSize() override;
  SIZE GetSizeForDock(TDock* dock, bool moveChildren) override;
  void BeginSizing(SizingEdges edges) override;
  void AdjustSizingRect(SizingEdges edges, DockRect& rect) override;
  void EndSizing(bool accepted) override;

private:
  friend class TToolbarSep;

  struct SlavePair {
    TControl* topBottom;
    TControl* leftRight;
  };
  // The children in layout order; a child leaves it when it leaves the toolbar.
  std::vector<TControl*> order_;
  std::vector<SlavePair> slaves_;
  std::vector<ToolbarLineSeparator> lineSeparators_;
  int floatingRightX_ = 0;
  // Raised while the layout moves the controls: their changes start no layout.
  int movingControls_ = 0;
  std::unique_ptr<ToolbarSizeSnap> snap_;
  int wrapBeforeSizing_ = 0;
  // The row thickness the controls were last placed for.
  int placedRowExtent_ = 0;

  // The children still on the toolbar, in layout order.
  std::vector<TControl*> OrderedControls() const;
  std::vector<ToolbarItem> Items(const std::vector<TControl*>& controls) const;
  void ShowSlaves(ToolbarOrientation orientation);
  int RowExtentOn(TDock* dock, const std::vector<ToolbarItem>& items);
  // Lays out the controls and sizes the window again, unless an update holds it.
  void Relayout();
  // A left press at a client point of the toolbar (or one passed on by a separator).
  void PressAt(POINT client);
  bool CanDrag() const;
};

class TToolbar : public TCustomToolbar {
protected:
  explicit TToolbar(TComponent* owner);
};

// A separator's length along a horizontal or a vertical toolbar.
using TToolbarSepSize = int;

// Ends a group of controls on a toolbar; draws an etched line across the toolbar's line unless
// Blank. A press on it is the toolbar's.
class TToolbarSep : public TCustomControl {
public:
  TToolbarSepSize SizeHorz() const { return sizeHorz_; }
  void SetSizeHorz(TToolbarSepSize size);
  TToolbarSepSize SizeVert() const { return sizeVert_; }
  void SetSizeVert(TToolbarSepSize size);
  bool Blank() const { return blank_; }
  void SetBlank(bool blank);

  // nullptr or a toolbar; EInvalidOperation otherwise.
  void SetParent(TControl* parent) override;

protected:
  explicit TToolbarSep(TComponent* owner);
  void Paint(HDC dc) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;

private:
  TToolbarSepSize sizeHorz_ = 6;
  TToolbarSepSize sizeVert_ = 6;
  bool blank_ = false;

  TCustomToolbar* Toolbar() const;
  void Changed();
};

} // namespace quolin
