// The flat toolbar button: a glyph (its own strip or an image list), a caption or both; it
// lights up while the mouse is in it, stays down in check and radio groups, repeats while held
// and opens a drop-down menu from the whole button or from a separate arrow part (combo).
//
// One button at a time is lit: the shared mouse-in timer (125 ms) and the thread's mouse-move
// hook unlight it once the control under the cursor is another, the activation hook when the
// application goes inactive. A click that closes a button's own menu is taken off the queue,
// so that it does not open the menu again.
#pragma once

#include "toolbar/ButtonLayout.h"
#include "toolbar/GlyphCache.h"
#include "ui/Actions.h"
#include "ui/Panels.h"

#include <functional>
#include <memory>
#include <string>

namespace quolin {

class TPopupMenu;
class TTimer;

// ShowMenu false keeps the menu closed; RemoveClicks false lets the click that closes the
// menu through.
using TButtonDropdownEvent =
    std::function<void(TObject* sender, bool& showMenu, bool& removeClicks)>;

class TToolbarButton;

// Checked follows Down and the other way round; help context and image index follow the
// action.
class TToolbarButtonActionLink : public TControlActionLink {
public:
  TToolbarButtonActionLink(TToolbarButton* button, TAction* action);
  void ActionChanged() override;

private:
  TToolbarButton* button_;
};

// Where the drop-down menu opens: a screen point and the side of the menu it gives.
struct TDropdownPlace {
  POINT point;
  bool rightAligned;
};

class TToolbarButton : public TCustomControl {
public:
  static constexpr const char* Version = "Toolbar version 1.8";

  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment alignment) { Change(alignment_, alignment); }
  bool AllowAllUp() const { return allowAllUp_; }
  // Shared by the whole group.
  void SetAllowAllUp(bool allow);
  bool Cancel() const { return cancel_; }
  void SetCancel(bool cancel) { cancel_ = cancel; }
  bool Default() const { return default_; }
  void SetDefault(bool value) { default_ = value; }
  TButtonDisplayMode DisplayMode() const { return displayMode_; }
  void SetDisplayMode(TButtonDisplayMode mode) { Change(displayMode_, mode); }
  bool Down() const { return down_; }
  // Stays False without a GroupIndex; goes up only with AllowAllUp.
  void SetDown(bool down);
  bool DropdownAlways() const { return dropdownAlways_; }
  void SetDropdownAlways(bool always) { Change(dropdownAlways_, always); }
  bool DropdownArrow() const { return dropdownArrow_; }
  void SetDropdownArrow(bool arrow) { Change(dropdownArrow_, arrow); }
  int DropdownArrowWidth() const { return dropdownArrowWidth_; }
  // Below 7 becomes 7.
  void SetDropdownArrowWidth(int width);
  bool DropdownCombo() const { return dropdownCombo_; }
  // Widens (or narrows) the button by the combo part.
  void SetDropdownCombo(bool combo);
  TPopupMenu* DropdownMenu() const { return dropdownMenu_; }
  void SetDropdownMenu(TPopupMenu* menu);
  bool Flat() const { return flat_; }
  void SetFlat(bool flat);
  const TBitmap& Glyph() const { return glyph_.Glyph(); }
  void SetGlyph(const TBitmap& glyph) { ChangeGlyph([&] { glyph_.SetGlyph(glyph); }); }
  const TBitmap& GlyphMask() const { return glyph_.GlyphMask(); }
  // White pixels are transparent.
  void SetGlyphMask(const TBitmap& mask) { ChangeGlyph([&] { glyph_.SetGlyphMask(mask); }); }
  int GroupIndex() const { return groupIndex_; }
  // 0 puts a down button up.
  void SetGroupIndex(int index);
  bool HighlightWhenDown() const { return highlightWhenDown_; }
  void SetHighlightWhenDown(bool highlight) { Change(highlightWhenDown_, highlight); }
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int index);
  TImageList* Images() const { return images_; }
  void SetImages(TImageList* images);
  TButtonLayout Layout() const { return layout_; }
  void SetLayout(TButtonLayout layout) { Change(layout_, layout); }
  int Margin() const { return margin_; }
  void SetMargin(int margin) { Change(margin_, margin); }
  TModalResult ModalResult = mrNone;
  bool NoBorder() const { return noBorder_; }
  void SetNoBorder(bool noBorder) { Change(noBorder_, noBorder); }
  int NumGlyphs() const { return glyph_.NumGlyphs(); }
  // 0 becomes 1, above 5 becomes 5.
  void SetNumGlyphs(int count) { ChangeGlyph([&] { glyph_.SetNumGlyphs(count); }); }
  bool OldDisabledStyle() const { return oldDisabledStyle_; }
  void SetOldDisabledStyle(bool old);
  bool Opaque() const { return opaqueProperty_; }
  void SetOpaque(bool opaque);
  bool Repeating = false;
  int RepeatDelay = 400;
  int RepeatInterval = 100;
  bool ShowBorderWhenInactive = false;
  int Spacing() const { return spacing_; }
  void SetSpacing(int spacing) { Change(spacing_, spacing); }
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool wrap) { Change(wordWrap_, wrap); }
  TAction* Action() const;
  // Links the action; its Checked is set from Down.
  void SetAction(TAction* action);

  TButtonState State() const { return state_; }
  // The button that is lit now, and the shared timer that watches it (nullptr while no
  // button exists).
  static TToolbarButton* MouseInButton();
  static TTimer* MouseInTimer();
  // The repeat timer of a press on a Repeating button (nullptr before the first).
  TTimer* RepeatTimer() const { return repeatTimer_; }
  // Where the drop-down menu opens now.
  TDropdownPlace DropdownPlace();
  const TButtonGlyph& ButtonGlyph() const { return glyph_; }

  void Click() override;
  bool AcceleratorKey(char key) override;
  bool ClicksOnDialogKey(WORD key, TShiftState shift) const override;
  void SetEnabled(bool enabled) override;
  // The mouse comes in (enabled only, once) and goes out (not while a press is tracked).
  void MouseEntered();
  void MouseLeft();

  TButtonDropdownEvent OnDropdown;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseExit;

protected:
  explicit TToolbarButton(TComponent* owner);
  void BeforeDestruction() override;
  void Notification(TComponent* component, TOperation operation) override;
  void Paint(HDC dc) override;
  void WndProc(TMessage& message) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;

private:
  friend class TToolbarButtonActionLink;
  TAlignment alignment_ = TAlignment::taCenter;
  bool allowAllUp_ = false;
  bool cancel_ = false;
  bool default_ = false;
  TButtonDisplayMode displayMode_ = TButtonDisplayMode::dmBoth;
  bool down_ = false;
  bool dropdownAlways_ = false;
  bool dropdownArrow_ = true;
  int dropdownArrowWidth_ = 9;
  bool dropdownCombo_ = false;
  TPopupMenu* dropdownMenu_ = nullptr;
  bool flat_ = true;
  TButtonGlyph glyph_;
  int groupIndex_ = 0;
  bool highlightWhenDown_ = true;
  int imageIndex_ = -1;
  TImageList* images_ = nullptr;
  TButtonLayout layout_ = TButtonLayout::blGlyphLeft;
  int margin_ = -1;
  bool noBorder_ = false;
  bool oldDisabledStyle_ = false;
  bool opaqueProperty_ = true;
  int spacing_ = 4;
  bool wordWrap_ = false;
  std::unique_ptr<TToolbarButtonActionLink> actionLink_;

  TButtonState state_ = bsUp;
  bool mouseInControl_ = false;
  bool mouseIsDown_ = false; // a left press is tracked
  bool pressOver_ = false;   // ... and the cursor is over the main part
  bool arrowPressed_ = false;
  bool menuIsDown_ = false;
  bool inClick_ = false;
  TTimer* repeatTimer_ = nullptr;

  template <typename T> void Change(T& field, T value) {
    if (field == value)
      return;
    field = value;
    Invalidate();
  }
  template <typename Edit> void ChangeGlyph(Edit edit) {
    edit();
    Invalidate();
  }
  std::vector<TToolbarButton*> Group() const;
  bool UsesDropdown() const { return dropdownAlways_ || dropdownMenu_; }
  bool InMainPart(int x, int y);
  TButtonState RestingState() const;
  void SetState(TButtonState state);
  void UpdateOpaque();
  void FireClick();
  void ShowDropdownMenu();
  void RemoveClicks();
  void StartRepeat();
  void StopRepeat();
  void RepeatTick();
  void EndTracking();
  void ReleaseGlyphs();
  void PaintBorder(HDC dc, RECT main, bool pressed);
  void PaintComboPart(HDC dc, RECT part, bool border);
  void PaintContent(HDC dc, RECT face, int offset);
  void PaintArrow(HDC dc, int centreX, int top);
  void PaintCaption(HDC dc, RECT rect, UINT format);
};

} // namespace quolin
