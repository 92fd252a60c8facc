// TControl: the one control base. Every control is a window: either a class of the layer's own
// (painted by TCustomControl::Paint) or a native class subclassed through its window procedure. The
// window is made when the parent has one and remade by RecreateWnd; properties live in fields
// so that a new window gets them back.
//
// Messages reach WndProc after the message observers, and the after-observers see them with
// WndProc's result; notifications that native children send their parent (WM_COMMAND,
// WM_NOTIFY, WM_CTLCOLOR*, WM_DRAWITEM, WM_MEASUREITEM, scrolling) come back to the child as
// CN_BASE + message.
#pragma once

#include "core/Exceptions.h"
#include "ui/Component.h"
#include "ui/Graphics.h"
#include "ui/ReplacedProcedure.h"
#include "ui/Types.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace quolin {

class TForm;
class TPopupMenu;

// What happened to a child control that no alignment places.
enum class TChildChange { Joined, Left, Shown, Hidden, Resized };

struct TCreateParams {
  std::string Caption;
  DWORD Style = 0;
  DWORD ExStyle = 0;
  int X = 0;
  int Y = 0;
  int Width = 0;
  int Height = 0;
  HWND WndParent = nullptr;
  // A class of the layer's own (registered on first use) or, with Native, a system class.
  std::string WinClassName;
  UINT ClassStyle = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
  bool Native = false;
  void* Param = nullptr;
};

// Sees a message before the control's WndProc; true stops it there (with message.Result).
using TMessageObserver = std::function<bool(TMessage& message)>;
// Sees a message after the control's WndProc, with its result.
using TAfterMessageObserver = std::function<void(TMessage& message)>;

class TControl : public TComponent {
public:
  // The layer control of a window, or nullptr.
  static TControl* FromHandle(HWND window);
  // The control of the window or of its nearest ancestor that has one.
  static TControl* FindFromHandle(HWND window);
  // Called with every message a control's window gets, before the control handles it, or
  // nullptr. Lower-cost than a thread hook on sent messages, which under Wine makes each
  // message of the thread three round trips to the server.
  using TMessageTap = void (*)(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static void SetMessageTap(TMessageTap tap);

  // The window; made (with the parent's) when there is none yet.
  HWND Handle();
  bool HandleAllocated() const { return handle_ != nullptr; }
  void HandleNeeded() { Handle(); }
  // Makes the window again (and those of the children) with the current properties.
  void RecreateWnd();
  LRESULT Perform(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

  TControl* Parent() const { return parent_; }
  // Raises EInvalidOperation for a parent inside this control.
  virtual void SetParent(TControl* parent);
  int ControlCount() const { return static_cast<int>(controls_.size()); }
  TControl* Controls(int index) const { return controls_.at(static_cast<size_t>(index)); }
  bool ContainsControl(const TControl* control) const;
  // The form this control sits on (itself for a form).
  TForm* ParentForm() const;

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetLeft(int left) { SetBounds(left, top_, width_, height_); }
  void SetTop(int top) { SetBounds(left_, top, width_, height_); }
  void SetWidth(int width) { SetBounds(left_, top_, width, height_); }
  void SetHeight(int height) { SetBounds(left_, top_, width_, height); }
  virtual void SetBounds(int left, int top, int width, int height);
  RECT BoundsRect() const { return {left_, top_, left_ + width_, top_ + height_}; }
  RECT ClientRect();
  int ClientWidth();
  int ClientHeight();
  void SetClientSize(int width, int height);
  POINT ClientToScreen(POINT point);
  POINT ScreenToClient(POINT point);

  TAlign Align() const { return align_; }
  void SetAlign(TAlign align);
  // Places the aligned children again.
  void Realign();

  bool Visible() const { return visible_; }
  virtual void SetVisible(bool visible);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible here and in every parent, with a window.
  bool Showing() const;
  bool Enabled() const { return enabled_; }
  virtual void SetEnabled(bool enabled);

  // The window text (a form's caption, a button's, an edit's text).
  virtual std::string Text() const;
  virtual void SetText(const std::string& text);
  std::string Caption() const { return Text(); }
  void SetCaption(const std::string& caption) { SetText(caption); }

  TColor Color() const { return color_; }
  void SetColor(TColor color);
  bool ParentColor() const { return parentColor_; }
  void SetParentColor(bool parentColor);
  TControlFont& Font() { return font_; }
  bool ParentFont() const { return parentFont_; }
  void SetParentFont(bool parentFont);
  // A solid brush of Color, kept until the colour changes.
  HBRUSH Brush();

  // Short hint (the tooltip) before "|", long hint (Application->Hint) after it.
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& hint) { hint_ = hint; }
  bool ShowHint() const;
  void SetShowHint(bool showHint);
  bool ParentShowHint() const { return parentShowHint_; }
  void SetParentShowHint(bool parentShowHint) { parentShowHint_ = parentShowHint; }
  // The hint of this control or of its nearest parent that has one.
  std::string EffectiveHint() const;

  TPopupMenu* PopupMenu() const { return popupMenu_; }
  void SetPopupMenu(TPopupMenu* menu);
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor cursor) { cursor_ = cursor; }
  int HelpContext = 0;

  int TabOrder() const;
  void SetTabOrder(int order);
  bool TabStop() const { return tabStop_; }
  void SetTabStop(bool tabStop);
  // Visible and enabled with every parent below the form.
  bool CanFocus() const;
  virtual bool Focused() const;
  // Raises EInvalidOperation for a control that cannot have the focus.
  virtual void SetFocus();

  void Invalidate();
  void Update();
  void Repaint();
  void BringToFront();
  void SendToBack();

  int AddMessageObserver(TMessageObserver observer);
  int AddAfterMessageObserver(TAfterMessageObserver observer);
  // Removes an observer of either kind.
  void RemoveMessageObserver(int id);

  virtual void Click();
  // A dialog character for this control's mnemonic ("&" before it in the caption); true when
  // the control acted on it.
  virtual bool AcceleratorKey(char key);
  // Whether Enter (VK_RETURN) or Escape with that shift state clicks this control when the
  // form handles it as a dialog key (a default or cancel button).
  virtual bool ClicksOnDialogKey(WORD key, TShiftState shift) const;
  // Every control below this one, depth first, each parent's children in tab order.
  std::vector<TControl*> TabOrderList() const;

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;
  TNotifyEvent OnResize;
  TKeyEvent OnKeyDown;
  TKeyEvent OnKeyUp;
  TKeyPressEvent OnKeyPress;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TMouseMoveEvent OnMouseMove;
  TMouseWheelEvent OnMouseWheel;
  TStartDragEvent OnStartDrag;
  TDragOverEvent OnDragOver;
  TDragDropEvent OnDragDrop;
  TEndDragEvent OnEndDrag;

protected:
  explicit TControl(TComponent* owner);
  ~TControl() override;

  virtual void CreateParams(TCreateParams& params);
  // Runs once the window exists: push state the window does not get from CreateParams.
  virtual void CreateWnd();
  // Runs before the window goes: keep state that lives only in the window.
  virtual void DestroyWnd();
  // Ends the window (an MDI child asks its client).
  virtual void DestroyWindowHandle();
  // The height to give the window for a control height (a combo box adds its list).
  virtual int WindowHeight(int height) const;
  virtual void WndProc(TMessage& message);
  // The window's own handling (DefWindowProc, the native class, the MDI procedures).
  virtual void DefaultHandler(TMessage& message);

  virtual void KeyDown(WORD& key, TShiftState shift);
  virtual void KeyUp(WORD& key, TShiftState shift);
  virtual void KeyPress(char& key);
  virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseMove(TShiftState shift, int x, int y);
  // OnMouseWheel of this control; true when handled.
  virtual bool DoMouseWheel(TShiftState shift, int wheelDelta, POINT mousePos);
  virtual void DblClick();
  // WM_CONTEXTMENU before the PopupMenu's handling (point in screen coordinates, -1,-1 from
  // the keyboard); handled stops it there.
  virtual void DoContextPopup(POINT point, bool& handled);
  virtual void Resize();
  virtual void DoEnter();
  virtual void DoExit();
  virtual void FontChanged();
  virtual void ColorChanged();
  // Places the aligned children inside rect, shrinking it; what stays is the form's MDI
  // client's.
  virtual void AlignControls(RECT& rect);
  // A child without alignment joined, left, showed, hid or changed size: a parent that lays
  // out its children itself hears of it here.
  virtual void ChildChanged(TControl* child, TChildChange change);
  // Native controls do their own clicking and capturing.
  bool NativeClass() const { return native_; }
  // True while events may run (not while destroying).
  bool EventsAllowed() const;
  // The events of the key messages (KeyPreview form first); true when the key was zeroed.
  bool DoKeyDown(WORD& key, TShiftState shift);
  bool DoKeyPress(char& key);
  // Called by SetParent for an existing window once the parent is set: puts the window under
  // the new parent's, or ends it when that has none.
  virtual void PlaceWindowOnParent();
  // Sets the bounds fields without touching the window.
  void UpdateBoundsFromWindow();

  void BeforeDestruction() override;
  void MarkDestroying() override;
  void Notification(TComponent* component, TOperation operation) override;

  // The handle without creating one.
  HWND WindowHandle() const { return handle_; }

  bool opaque_ = false; // paints its whole client area: no background erase
  // Not opaque: the erase draws the parent's background under the control instead of Color.
  bool parentBackground_ = false;
  // Click on a left press and release inside, DblClick on a double click; off for controls
  // that report clicks through their own notifications.
  bool clickEvents_ = true;

private:
  friend class TApplication;
  friend class TForm;
  friend struct TControlWindow;

  HWND handle_ = nullptr;
  bool native_ = false;
  // A native window's own procedure, called for what the control leaves to it.
  TReplacedProcedure nativeProcedure_;
  TControl* parent_ = nullptr;
  std::vector<TControl*> controls_;
  std::vector<TControl*> tabList_;
  int left_ = 0;
  int top_ = 0;
  int width_ = 0;
  int height_ = 0;
  TAlign align_ = alNone;
  bool visible_ = true;
  bool enabled_ = true;
  std::string text_;
  TColor color_ = clBtnFace;
  bool parentColor_ = false;
  TControlFont font_;
  bool parentFont_ = true;
  HBRUSH brush_ = nullptr;
  std::string hint_;
  bool showHint_ = false;
  bool parentShowHint_ = true;
  TPopupMenu* popupMenu_ = nullptr;
  TCursor cursor_ = crDefault;
  bool tabStop_ = false;
  bool aligning_ = false;
  TControl* alignTrigger_ = nullptr;
  bool leftPressed_ = false;
  int nextObserverId_ = 1;
  std::vector<std::pair<int, TMessageObserver>> observers_;
  std::vector<std::pair<int, TAfterMessageObserver>> afterObservers_;
  // False once this object is gone: the after-observers run only while it lives.
  std::shared_ptr<bool> alive_;

  void CreateHandle();
  void DestroyHandle();
  void Bind(HWND window);
  void Unbind();
  LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
  bool Reflect(TMessage& message);
  void HandleMouse(TMessage& message);
  void HandleWheel(TMessage& message);
  bool HandleContextMenu(TMessage& message);
  bool HandleSetCursor(TMessage& message);
  void HandleChar(TMessage& message, bool system);
  // WM_ERASEBKGND of a control that is not opaque.
  void EraseBackground(HDC dc);
  void ParentFontChanged();
  void ParentColorChanged();
  void ApplyFont();
  void RealignParent(TControl* trigger);
  void SetZOrder(bool top);
};

// The window that owns the platform dialog of a dialog component: the top-level window of its
// owner control, else the application's.
HWND DialogOwnerWindow(TComponent* owner);

// The error of an operation that needs the control to sit on a form.
EInvalidOperation ParentRequiredError(const TControl& control);

// True when caption marks key as its mnemonic ("&K", ASCII case ignored; "&&" is no mark).
bool IsAccel(char key, const std::string& caption);

// The caption that shows text as it stands: every "&" doubled, so that none marks a mnemonic.
std::string LiteralCaption(const std::string& text);

// A control of the layer's own class that paints itself.
class TCustomControl : public TControl {
public:
  std::function<void(TObject* sender, HDC dc)> OnPaint;

protected:
  using TControl::TControl;
  // Paints the client area; by default raises OnPaint.
  virtual void Paint(HDC dc);
  void WndProc(TMessage& message) override;
};

} // namespace quolin
