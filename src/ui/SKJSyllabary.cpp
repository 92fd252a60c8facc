#include "ui/SKJSyllabary.h"

#include "ui/Control.h"

#include <imm.h>

#include <algorithm>
#include <utility>
#include <vector>

namespace quolin {

namespace {

TResultReadingReader& Reader() {
  static TResultReadingReader reader = ReadResultReading;
  return reader;
}

} // namespace

std::string ReadResultReading(HWND window) {
  HIMC context = ImmGetContext(window);
  if (!context)
    return {};
  std::string reading;
  LONG size = ImmGetCompositionStringA(context, GCS_RESULTREADSTR, nullptr, 0);
  if (size > 0) {
    std::vector<char> buffer(static_cast<size_t>(size));
    size = ImmGetCompositionStringA(context, GCS_RESULTREADSTR, buffer.data(),
                                    static_cast<DWORD>(buffer.size()));
    if (size > 0)
      reading.assign(buffer.data(), std::min(static_cast<size_t>(size), buffer.size()));
  }
  ImmReleaseContext(window, context);
  return reading;
}

TResultReadingReader SetResultReadingReader(TResultReadingReader reader) {
  return std::exchange(Reader(), reader ? std::move(reader) : ReadResultReading);
}

TSKJSyllabary::TSKJSyllabary(TComponent* owner) : TComponent(owner) {
}

void TSKJSyllabary::SetControl(TControl* control) {
  if (control == control_)
    return;
  Detach();
  if (!control)
    return;
  control_ = control;
  control_->FreeNotification(this);
  observer_ = control_->AddMessageObserver([this](TMessage& message) {
    if (message.Msg == WM_IME_COMPOSITION && (message.LParam & GCS_RESULTREADSTR) &&
        OnCompositionStr && control_->HandleAllocated()) {
      std::string reading = Reader()(control_->Handle());
      OnCompositionStr(this, reading);
    }
    return false;
  });
}

void TSKJSyllabary::Detach() {
  if (!control_)
    return;
  control_->RemoveMessageObserver(observer_);
  control_->RemoveFreeNotification(this);
  control_ = nullptr;
}

void TSKJSyllabary::BeforeDestruction() {
  Detach();
  TComponent::BeforeDestruction();
}

void TSKJSyllabary::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  // The control's observers go with it.
  if (operation == TOperation::opRemove && component == control_)
    control_ = nullptr;
}

} // namespace quolin
