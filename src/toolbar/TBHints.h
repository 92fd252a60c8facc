// The hint shown while the mouse pointer rests on the title bar of the owning form.
//
// The form's messages tell when the pointer enters the caption (WM_NCHITTEST answered
// HTCAPTION) and whether the form is active (WM_NCACTIVATE); from then on a 1 ms timer polls the
// pointer until it leaves the caption band. After WaitTime ms of resting the hint asks OnHint
// for its text and shows it; WaitTime + ShowTime ms after the pointer came it goes, and comes
// back only when the pointer leaves the caption and enters it again.
#pragma once

#include "toolbar/HintGeometry.h"
#include "ui/Component.h"
#include "ui/Forms.h"
#include "ui/Graphics.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <utility>

namespace quolin {

class TTimer;

// Hands every message of a control, after the control's own handling and with its result, to a
// handler. It listens as one of the control's after-observers, so that detaching takes out
// only this listener, whatever else has hooked the control's window since.
class TMessageSubClass {
public:
  using THandler = std::function<void(TMessage& message)>;

  explicit TMessageSubClass(THandler handler) : handler_(std::move(handler)) {}
  ~TMessageSubClass() { Detach(); }
  TMessageSubClass(const TMessageSubClass&) = delete;
  TMessageSubClass& operator=(const TMessageSubClass&) = delete;

  // Detaches from the control it listens to first. The control has to outlive the attachment.
  void Attach(TControl* control);
  void Detach();
  TControl* Control() const { return control_; }

private:
  THandler handler_;
  TControl* control_ = nullptr;
  int observerId_ = 0;
};

// CanShow false: no hint this time.
using TShowTBHintEvent = std::function<void(TObject* sender, bool& canShow)>;

class TTBHint : public TComponent {
public:
  TColor Color = clInfoBk;
  TColor FrameColor = cl3DLight;
  TColor FrameShadowColor = cl3DDkShadow;
  unsigned ShowTime = 7000; // ms the hint stays up
  unsigned WaitTime = 500;  // ms of resting before it shows
  TTBHintStyle Style = tsMousePos;
  // Sets HintString; an empty text shows nothing.
  TShowTBHintEvent OnHint;
  // The text shown.
  std::string HintString;

  TControlFont& Font() { return font_; }
  void SetFont(const TFont& font) { font_.Assign(font); }

  // Where time and the pointer come from (GetTickCount and GetCursorPos); tests replace them.
  std::function<uint32_t()> TickSource;
  std::function<POINT()> PointerSource;

  // The timer's tick: follows the pointer.
  void Poll();
  bool Tracking() const { return tracking_; }
  bool Polling() const;
  const DockRect& Band() const { return band_; }
  // The hint's window while it is shown.
  HWND HintWindow() const;

protected:
  explicit TTBHint(TComponent* owner);
  void BeforeDestruction() override;

private:
  friend class TTBHintForm;

  TForm* ownerForm_ = nullptr;
  TMessageSubClass subClass_;
  TTimer* timer_ = nullptr;
  TControlFont font_;
  TOwned<TForm> hintForm_;
  bool tracking_ = false;
  bool ownerActive_ = false;
  uint32_t startTick_ = 0;
  int shownCount_ = 0;
  DockRect band_;

  void OwnerMessage(const TMessage& message);
  void StartTracking();
  void StopTracking();
  void ShowHint(POINT pointer);
  void HideHint();
  void Paint(HDC dc, int width, int height);
};

} // namespace quolin
