// Dock panels on the edges of a form, and the windows that dock on them.
//
// A TDock aligns itself to one edge of its parent and holds dockable windows in rows (the
// arithmetic is DockLayout's): it keeps their rows and positions consistent, places them, and
// takes the thickness of its rows, 0 pixels while it shows none. A child control that is no
// dockable window is left where it is put.
//
// A dockable window (TCustomToolWindow) sits on a dock or floats over its form. A floating
// window stays in the control tree under a hidden TFloatingWindowParent of that form, while its
// own window is a pop-up owned by the form's window. Changing between the two keeps the window:
// its styles are swapped in place, so its child windows and their state stay as they are.
//
// Frames: a docked window has 2 pixels on each side and its drag handle (on a dock that allows
// dragging); a floating one has the system's dialog or sizing frame and a small caption with a
// close button. Sizes not made by the dock or a parent change reach SizeChanging, which is how a
// window keeps its own size in every state.
//
// The user moves a window by its drag handle or floating caption in a modal capture loop that
// follows the pointer with an inverted outline (DragLoop.cpp), and sizes a floating one by its
// borders the same way. A floating window never takes the activation from its form, and shows
// only while its form shows and, with HideWhenInactive, while the application is active
// (FloatingWindow.cpp).
#pragma once

#include "core/DockGeometry.h"
#include "core/DockLayout.h"
#include "toolbar/TbCommon.h"
#include "ui/Forms.h"
#include "ui/Graphics.h"

#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

namespace quolin {

class TCustomToolWindow;
class TDock;
class TFloatingWindowParent;

enum TDockPosition { dpTop, dpBottom, dpLeft, dpRight };

enum TDockBoundLine : uint8_t { blTop = 1, blBottom = 2, blLeft = 4, blRight = 8 };
using TDockBoundLines = uint8_t;

// A set of dock positions: bit 1 << TDockPosition.
using TDockableTo = uint8_t;
inline constexpr TDockableTo AllDockPositions = 0xF;

enum class TToolWindowDockMode { dmCanFloat, dmCannotFloat, dmCannotFloatOrChangeDocks };
enum class TToolWindowFloatingMode { fmOnTopOfParentForm, fmOnTopOfAllForms };

// Inserting false: the window left the dock's shown windows.
using TInsertRemoveEvent =
    std::function<void(TObject* sender, bool inserting, TCustomToolWindow* bar)>;
using TRequestDockEvent =
    std::function<void(TObject* sender, TCustomToolWindow* bar, bool& accept)>;
// dockingTo nullptr: the window is going to float.
using TDockChangingExEvent = std::function<void(TObject* sender, TDock* dockingTo)>;

inline constexpr char ToolbarVersion[] = "Toolbar version 1.8";

// The callbacks that store and read back where a window stands (ToolWindowLayout.h): the window's
// name, the value's name, the value or the default, and the caller's own pointer.
using TPositionReadIntProc = int (*)(const std::string& window, const std::string& value,
                                     int defaultValue, void* extra);
using TPositionReadStringProc = std::string (*)(const std::string& window, const std::string& value,
                                                const std::string& defaultValue, void* extra);
using TPositionWriteIntProc = void (*)(const std::string& window, const std::string& value,
                                       int data, void* extra);
using TPositionWriteStringProc = void (*)(const std::string& window, const std::string& value,
                                          const std::string& data, void* extra);

// The parts of a floating caption that a deferred redraw names.
enum TCaptionPart : unsigned { cpCaption = 1, cpCloseButton = 2 };

class TDock : public TCustomControl {
public:
  TDockPosition Position() const { return position_; }
  // Aligns the dock to that edge. Raises EInvalidOperation once the dock holds controls.
  void SetPosition(TDockPosition position);
  bool Vertical() const { return position_ == dpLeft || position_ == dpRight; }
  // Windows may be dragged off and dropped on; docked windows show a drag handle only then.
  bool AllowDrag() const { return allowDrag_; }
  void SetAllowDrag(bool allowDrag);
  // Tiled behind the rows from the client origin (copied).
  const TBitmap& Background() const { return background_; }
  void SetBackground(const TBitmap& bitmap);
  // Docked windows draw the background too.
  bool BackgroundOnToolbars() const { return backgroundOnToolbars_; }
  void SetBackgroundOnToolbars(bool on);
  // The background's lower-left pixel colour shows the dock's colour instead.
  bool BackgroundTransparent() const { return backgroundTransparent_; }
  void SetBackgroundTransparent(bool transparent);
  // 1-pixel lines inside the edges, drawn while the dock shows windows.
  TDockBoundLines BoundLines() const { return boundLines_; }
  void SetBoundLines(TDockBoundLines lines);
  // An empty dock keeps 1 pixel instead of 0.
  bool FixAlign() const { return fixAlign_; }
  void SetFixAlign(bool fixAlign);
  // Every window in row 0.
  bool LimitToOneRow() const { return limitToOneRow_; }
  void SetLimitToOneRow(bool limit);
  std::string Version() const { return ToolbarVersion; }

  TInsertRemoveEvent OnInsertRemoveBar;
  TRequestDockEvent OnRequestDock;

  // Arrangement waits until the last EndUpdate, which arranges once when one was asked for.
  void BeginUpdate();
  void EndUpdate();
  // Runs work between the two, so that what it changes is arranged once.
  template <typename Work> void Batch(Work work) {
    BeginUpdate();
    try {
      work();
    } catch (...) {
      EndUpdate();
      throw;
    }
    EndUpdate();
  }
  // Puts the windows into rows and places them; with clip the positions clipped into the rows
  // are stored too. Deferred while updating or loading.
  void ArrangeToolbars(bool clip);

  // The row services of DockLayout over the dock list. window's own row extent answers for an
  // empty row.
  int GetHighestRow() const;
  int GetRowSize(int row, TCustomToolWindow* window) const;
  DockRowHit GetRowOf(int position) const;
  void InsertRowBefore(int row);
  void RemoveBlankRows();
  int GetNumberOfToolbarsOnRow(int row, TCustomToolWindow* notThis) const;

  // The windows that belong to the dock: docked on it or remembering it as their last dock;
  // in row order after an arrangement.
  const std::vector<TCustomToolWindow*>& DockList() const { return dockList_; }
  // Adds or removes a window of the dock list, then ToolbarVisibilityChanged.
  void ChangeDockList(bool insert, TCustomToolWindow* window);
  // Takes the window into the shown ones (on the list, parented here and visible) or out; on a
  // change arranges and raises OnInsertRemoveBar.
  void ToolbarVisibilityChanged(TCustomToolWindow* window);

  // Raises EInvalidOperation inside a dockable window or another dock.
  void SetParent(TControl* parent) override;

  // True when docked windows draw the background.
  bool ToolbarsShowBackground() const;
  // Tiles the background over rect of dc, whose dock client origin lies at origin.
  void DrawBackground(HDC dc, const RECT& rect, POINT origin);

protected:
  explicit TDock(TComponent* owner);

  void Loaded() override;
  void Resize() override;
  void Paint(HDC dc) override;
  void WndProc(TMessage& message) override;
  void ColorChanged() override;
  void Notification(TComponent* component, TOperation operation) override;

private:
  TDockPosition position_ = dpTop;
  bool allowDrag_ = true;
  TBitmap background_;
  TBitmap transparentCopy_; // made on demand while BackgroundTransparent
  struct PaletteDeleter {
    void operator()(HPALETTE palette) const { DeleteObject(palette); }
  };
  // The background's own colours, when it has a colour table.
  std::unique_ptr<std::remove_pointer_t<HPALETTE>, PaletteDeleter> palette_;
  bool backgroundOnToolbars_ = true;
  bool backgroundTransparent_ = false;
  TDockBoundLines boundLines_ = 0;
  bool fixAlign_ = false;
  bool limitToOneRow_ = false;
  std::vector<TCustomToolWindow*> dockList_;
  std::vector<TCustomToolWindow*> visibleList_;
  std::vector<int> rowSizes_;
  int updateCount_ = 0;
  bool arrangeNeeded_ = false;
  bool clipPositions_ = false;

  struct LayoutInput {
    std::vector<DockEntry> entries;
    std::vector<DockEntry*> pointers;
  };
  // The dock list as entries of a layout over the present row sizes.
  DockLayout Layout(LayoutInput& input) const;
  // Runs an operation of DockLayout on the dock list and writes the rows back.
  template <typename Operation> void ChangeRows(Operation operation);
  void Arrange();
  void SetThickness(int thickness);
  // 1 pixel on each side with a bound line.
  DockInsets LineInsets() const;
  void PaintBoundLines(HDC dc);
  void BackgroundChanged();
  const TBitmap& BackgroundToDraw();
  // Frames the docked windows again (their handles follow AllowDrag).
  void ReframeWindows();
};

// The window a dockable window floats in, in the control tree: a borderless, zero-sized
// tool-window form of the form it floats over, shown without activation.
class TFloatingWindowParent : public TForm {
public:
  // The form the window floats over.
  TForm* FloatingForm() const { return form_; }
  // Without activation and without the form's show events.
  void SetVisible(bool visible) override;
  // Escape without modifiers hands the focus back to the form.
  bool DialogKey(WORD key, TShiftState shift) override;

protected:
  // ownerForm is form, or the MDI frame of an MDI child form.
  TFloatingWindowParent(TComponent* owner, TForm* form, TForm* ownerForm);
  void CreateParams(TCreateParams& params) override;
  void Notification(TComponent* component, TOperation operation) override;

private:
  TForm* form_;
};

class TCustomToolWindow : public TCustomControl {
public:
  // A floating window activates its form instead of itself.
  bool ActivateParent() const { return activateParent_; }
  void SetActivateParent(bool on) { activateParent_ = on; }
  // The frame drawn around the docked window.
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle style);
  // The close button of the floating caption.
  bool CloseButton() const { return closeButton_; }
  void SetCloseButton(bool on);
  // A close button beside the drag handle while docked.
  bool CloseButtonWhenDocked() const { return closeButtonWhenDocked_; }
  void SetCloseButtonWhenDocked(bool on);
  // Where a double-click on the floating caption docks a window without a last dock.
  TDock* DefaultDock() const { return defaultDock_; }
  void SetDefaultDock(TDock* dock);
  TDockableTo DockableTo() const { return dockableTo_; }
  void SetDockableTo(TDockableTo positions) { dockableTo_ = positions; }
  TDock* DockedTo() const { return dockedTo_; }
  // A dock docks the window there; nullptr floats it over its form (EInvalidOperation when it
  // has none).
  void SetDockedTo(TDock* dock);
  bool Docked() const { return docked_; }
  TToolWindowDockMode DockMode() const { return dockMode_; }
  void SetDockMode(TToolWindowDockMode mode) { dockMode_ = mode; }
  // The position along the row (x on top and bottom docks, y on side docks) and the row.
  int DockPos() const { return dockPos_; }
  void SetDockPos(int position);
  int DockRow() const { return dockRow_; }
  void SetDockRow(int row);
  TDragHandleStyle DragHandleStyle() const { return dragHandleStyle_; }
  void SetDragHandleStyle(TDragHandleStyle style);
  TToolWindowFloatingMode FloatingMode() const { return floatingMode_; }
  void SetFloatingMode(TToolWindowFloatingMode mode);
  // A whole row of its dock, alone.
  bool FullSize() const { return fullSize_; }
  void SetFullSize(bool fullSize);
  // A floating window hides while the application is inactive.
  bool HideWhenInactive() const { return hideWhenInactive_; }
  void SetHideWhenInactive(bool hide) { hideWhenInactive_ = hide; }
  // The dock a double-click on the floating caption returns the window to.
  TDock* LastDock() const { return lastDock_; }
  void SetLastDock(TDock* dock);
  bool ShowCaption() const { return showCaption_; }
  void SetShowCaption(bool show);
  // Docking records the dock as LastDock.
  bool UseLastDock() const { return useLastDock_; }
  void SetUseLastDock(bool use);
  std::string Version() const { return ToolbarVersion; }

  // The form the window belongs to: the outermost one, or the one it floats over.
  TForm* HostForm() const;
  // Where the window floats: its screen position while floating, or the bounds last given to
  // it without a parent.
  POINT FloatingPosition() const { return floatingPosition_; }
  // Where the window goes when it floats next; a floating window stays where it is.
  void SetFloatingPosition(POINT position) { floatingPosition_ = position; }

  // Nested; the last EndUpdate sizes the window for its content again.
  void BeginUpdate();
  void EndUpdate();
  // Brings a floating window onto its monitor's work area; with onlyIfFullyOff only when none
  // of it shows there.
  void MoveOnScreen(bool onlyIfFullyOff);
  // OnCloseQuery, then hidden and OnClose.
  void Close();

  // nullptr, a TDock or a form (floats the window over it); EInvalidOperation otherwise.
  void SetParent(TControl* parent) override;
  void SetBounds(int left, int top, int width, int height) override;
  void SetVisible(bool visible) override;

  TNotifyEvent OnClose;
  TCloseQueryEvent OnCloseQuery;
  TNotifyEvent OnDockChanged;
  TNotifyEvent OnDockChanging;
  TDockChangingExEvent OnDockChangingEx;
  // After OnRecreating, with the window hidden for the change.
  TDockChangingExEvent OnDockChangingHidden;
  TNotifyEvent OnMove;
  TNotifyEvent OnRecreated;
  TNotifyEvent OnRecreating;
  TNotifyEvent OnVisibleChanged;

  // A class's own values beside the stored position; an override calls the inherited one
  // first. Done runs once the window is in its loaded place.
  virtual void WritePositionData(TPositionWriteIntProc writeInt,
                                 TPositionWriteStringProc writeString, void* extra);
  virtual void ReadPositionData(TPositionReadIntProc readInt, TPositionReadStringProc readString,
                                void* extra);
  virtual void DoneReadingPositionData(TPositionReadIntProc readInt,
                                       TPositionReadStringProc readString, void* extra);

protected:
  explicit TCustomToolWindow(TComponent* owner);

  // The extent the window wants across a row of a horizontal (top, bottom) or vertical dock.
  virtual int GetRowExtent(bool verticalDock) = 0;
  // The smallest client size while the user sizes the floating window.
  virtual SIZE GetMinimumClientSize() = 0;
  // The size inside the frame on dock, or floating for nullptr; moveChildren places the
  // content for it.
  virtual SIZE GetSizeForDock(TDock* dock, bool moveChildren) = 0;
  // A new outer size not made by the dock or a parent change.
  virtual void SizeChanging(int width, int height);

  // The class's part in the sizing loop: before it with the moving edges, on every outline the
  // pointer makes (screen coordinates; the class may change it), and after it, once accepted
  // bounds are applied.
  virtual void BeginSizing(SizingEdges edges);
  virtual void AdjustSizingRect(SizingEdges edges, DockRect& rect);
  virtual void EndSizing(bool accepted);

  // Runs the drag loop for a left press at press (client coordinates; negative over the frame),
  // then ends the press with a release at (-1, -1).
  void BeginMoving(POINT press);
  // Redraw the frame, or the caption parts (CaptionPart bits), once the queue comes to it;
  // several requests before then make one redraw.
  void RedrawFrameLater();
  void RedrawCaptionLater(unsigned parts);

  bool Resizable() const { return resizable_; }
  // A floating window gets its frame again.
  void SetResizable(bool resizable);
  // The non-client widths in the window's present place.
  DockInsets FrameInsets() const;
  bool Floating() const;

  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;

  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void PlaceWindowOnParent() override;
  void WndProc(TMessage& message) override;
  void Loaded() override;
  void BeforeDestruction() override;
  void Notification(TComponent* component, TOperation operation) override;

private:
  friend class TDock;
  friend class TToolWindowDrag;

  bool activateParent_ = true;
  TBorderStyle borderStyle_ = TBorderStyle::bsSingle;
  bool closeButton_ = true;
  bool closeButtonWhenDocked_ = false;
  TDock* defaultDock_ = nullptr;
  TDockableTo dockableTo_ = AllDockPositions;
  TDock* dockedTo_ = nullptr;
  bool docked_ = false;
  TToolWindowDockMode dockMode_ = TToolWindowDockMode::dmCanFloat;
  int dockPos_ = -1;
  int dockRow_ = 0;
  // Of two windows at the same place on a dock, the one made first goes first.
  unsigned creation_ = 0;
  TDragHandleStyle dragHandleStyle_ = TDragHandleStyle::dhDouble;
  TToolWindowFloatingMode floatingMode_ = TToolWindowFloatingMode::fmOnTopOfParentForm;
  bool fullSize_ = false;
  bool hideWhenInactive_ = true;
  TDock* lastDock_ = nullptr;
  bool showCaption_ = true;
  bool useLastDock_ = true;
  bool resizable_ = true;
  POINT floatingPosition_{0, 0};
  TFloatingWindowParent* floatParent_ = nullptr;
  int updateCount_ = 0;
  // Raised while the dock, a parent change or the window itself places the window: such
  // bounds are no size change of the user's and no move.
  int placing_ = 0;
  bool closeButtonDown_ = false;
  bool hooked_ = false;
  TForm* pendingForm_ = nullptr; // floats over it once loaded

  static void HookProc(THookKind kind, HWND window, WPARAM wParam, LPARAM lParam);
  // The floating windows owned by a window being destroyed are owned by their floating parents.
  static void ReownFrom(HWND destroyed);

  void ChangeParent(TDock* dock, TForm* form);
  void SetParentWhileLoading(TDock* dock, TForm* form);
  // DockedTo, LastDock, the dock lists and the floating list after the parent changed.
  void EnterState(TDock* oldDock, TDock* dock);
  void LeaveDock(TDock* dock);
  TFloatingWindowParent* MakeFloatingParent(TForm* form);
  TForm* OwnerForm() const;
  HWND OwnerWindow() const;
  // Shows or hides a floating window by the visibility rule; appActive as WM_ACTIVATEAPP says.
  void UpdateFloatingVisibility(bool appActive = ApplicationIsActive());
  bool FloatingShows(bool appActive) const;
  void ShowFloating();
  void HideFloating();
  void UpdateTopmost();
  void PlaceAboveOwnedWindows();
  // The frame a floating window has, whether or not it floats now.
  DockInsets FloatingFrame() const;
  SIZE FloatingFrameThickness() const;
  // Sizes the window for its content in its present place (a floating one at its floating
  // position).
  void Arrange();
  void PlaceByDock(const DockRect& bounds);
  void Reframe();
  int HandleSize() const;
  DockRect HandleRect() const;
  // The close button in window coordinates; empty when there is none.
  DockRect CloseButtonRect() const;
  LRESULT HitTest(POINT screen) const;
  LRESULT FloatingHitTest(DockPoint point) const;
  // The caption bar in window coordinates; empty when there is none.
  DockRect CaptionRect() const;
  void PaintFrame(HDC dc);
  void PaintDockedFrame(HDC dc, const TDock& dock);
  void PaintFloatingFrame(HDC dc);
  void PaintCloseButton(HDC dc);
  void PaintCaption(HDC dc, unsigned parts);
  void FillWithBackground(HDC dc, const RECT& rect, POINT dockOrigin);
  void RedrawFrame();
  void TrackCloseButton();
  void HandleDoubleClick(POINT screen);
  void HandleCaptionDoubleClick();
  void HandleNCPress(TMessage& message);
  void HandleMouseActivate(TMessage& message);
  void HandleActivate(TMessage& message);
  // True when the message was one of the floating window's own.
  bool FloatingMessage(TMessage& message);
  void RunSizingLoop(SizingEdges edges);
  // After WM_WINDOWPOSCHANGED: a move of the window's own is remembered and reported.
  void PositionChanged(POINT before);
  void Notify(const TNotifyEvent& event);
  void NotifyDock(const TDockChangingExEvent& event, TDock* dock);
};

} // namespace quolin
