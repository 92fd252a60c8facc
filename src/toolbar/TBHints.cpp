#include "toolbar/TBHints.h"

#include "ui/Application.h"
#include "ui/Control.h"
#include "ui/Timer.h"

namespace quolin {

void TMessageSubClass::Attach(TControl* control) {
  Detach();
  if (!control)
    return;
  control_ = control;
  observerId_ = control->AddAfterMessageObserver([this](TMessage& message) { handler_(message); });
}

void TMessageSubClass::Detach() {
  if (control_)
    control_->RemoveMessageObserver(observerId_);
  control_ = nullptr;
  observerId_ = 0;
}

// The hint's window: borderless and stay-on-top, owned by the application window, painted by
// the hint. Its window text is the hint's text, so that other programs can read it. The hint
// shows it without activation, never by Show.
class TTBHintForm : public TForm {
protected:
  TTBHintForm(TComponent* owner, TTBHint& hint) : TForm(owner), hint_(hint) {
    opaque_ = true;
    SetBorderStyle(TFormBorderStyle::bsNone);
    SetFormStyle(TFormStyle::fsStayOnTop);
    SetPosition(TPosition::poDesigned);
    SetCaption(hint.HintString);
  }

  void CreateParams(TCreateParams& params) override {
    TForm::CreateParams(params);
    params.WinClassName = "TTBHintForm";
  }

  void Paint(HDC dc) override {
    RECT client = ClientRect();
    hint_.Paint(dc, client.right, client.bottom);
  }

private:
  TTBHint& hint_;
};

namespace {

void FillSolid(HDC dc, const RECT& rect, TColor color) {
  SetDCBrushColor(dc, ColorToRGB(color));
  FillRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

DockRect ToDockRect(const RECT& rect) {
  return {rect.left, rect.top, rect.right, rect.bottom};
}

} // namespace

TTBHint::TTBHint(TComponent* owner)
    : TComponent(owner), ownerForm_(dynamic_cast<TForm*>(owner)),
      subClass_([this](TMessage& message) { OwnerMessage(message); }) {
  TickSource = [] { return static_cast<uint32_t>(GetTickCount()); };
  PointerSource = [] {
    POINT point{};
    GetCursorPos(&point);
    return point;
  };
  timer_ = Create<TTimer>(this);
  timer_->SetEnabled(false);
  timer_->SetInterval(1);
  timer_->OnTimer = [this](TObject*) { Poll(); };
  if (ownerForm_)
    subClass_.Attach(ownerForm_);
}

void TTBHint::BeforeDestruction() {
  HideHint();
  subClass_.Detach();
  TComponent::BeforeDestruction();
}

bool TTBHint::Polling() const {
  return timer_->Enabled();
}

HWND TTBHint::HintWindow() const {
  return hintForm_ ? hintForm_->Handle() : nullptr;
}

// Runs after the form's own procedure, which gave the hit-test answer.
void TTBHint::OwnerMessage(const TMessage& message) {
  if (message.Msg == WM_NCACTIVATE) {
    ownerActive_ = message.WParam != 0;
  } else if (message.Msg == WM_NCHITTEST) {
    if (message.Result != HTCAPTION)
      StopTracking();
    else if (!tracking_)
      StartTracking();
  }
}

void TTBHint::StartTracking() {
  startTick_ = TickSource();
  shownCount_ = 0;
  tracking_ = true;
  RECT window;
  GetWindowRect(ownerForm_->Handle(), &window);
  band_ = CaptionBand(ToDockRect(window), ownerForm_->ClientWidth(),
                      {GetSystemMetrics(SM_CYCAPTION), GetSystemMetrics(SM_CYBORDER),
                       GetSystemMetrics(SM_CXSIZE)});
  timer_->SetEnabled(true);
}

void TTBHint::StopTracking() {
  HideHint();
  tracking_ = false;
}

void TTBHint::Poll() {
  POINT pointer = PointerSource();
  if (!band_.Contains({pointer.x, pointer.y})) {
    StopTracking();
    return;
  }
  uint64_t elapsed = ElapsedTicks(TickSource(), startTick_);
  if (shownCount_ == 0) {
    if (elapsed > WaitTime) {
      ++shownCount_;
      ShowHint(pointer);
    }
    return;
  }
  // Shown once: it goes for good until the pointer enters the caption again.
  if (elapsed > uint64_t{WaitTime} + ShowTime)
    HideHint();
}

void TTBHint::ShowHint(POINT pointer) {
  if (!tracking_)
    return;
  bool canShow = ownerActive_;
  if (canShow && OnHint)
    OnHint(this, canShow);
  if (!canShow || HintString.empty()) {
    timer_->SetEnabled(false);
    return;
  }
  hintForm_.reset(Create<TTBHintForm>(nullptr, {}, *this));
  SIZE text = TextExtent(font_.Handle(), HintString);
  RECT area = Screen->WorkAreaOf({pointer.x, pointer.y, pointer.x + 1, pointer.y + 1});
  DockRect bounds = HintBounds(Style, band_, {pointer.x, pointer.y}, text.cx + 6, text.cy + 6,
                               ToDockRect(area));
  hintForm_->SetBounds(bounds.left, bounds.top, bounds.Width(), bounds.Height());
  SetWindowPos(hintForm_->Handle(), HWND_TOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void TTBHint::HideHint() {
  timer_->SetEnabled(false);
  hintForm_.reset();
}

// A light line along the top and left, a dark one along the bottom and right, the text on the
// hint's colour inside.
void TTBHint::Paint(HDC dc, int width, int height) {
  FillSolid(dc, {0, 0, width - 1, 1}, FrameColor);
  FillSolid(dc, {0, 0, 1, height - 1}, FrameColor);
  FillSolid(dc, {width - 1, 0, width, height}, FrameShadowColor);
  FillSolid(dc, {0, height - 1, width, height}, FrameShadowColor);
  FillSolid(dc, {1, 1, width - 1, height - 1}, Color);
  HGDIOBJ previous = SelectObject(dc, font_.Handle());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToRGB(clInfoText));
  TextOutA(dc, 3, 3, HintString.data(), static_cast<int>(HintString.size()));
  SelectObject(dc, previous);
}

} // namespace quolin
