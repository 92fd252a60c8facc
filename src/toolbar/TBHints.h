// The hint shown while the mouse pointer rests on the title bar of the owning form.
//
// Stand-in until the toolbar library exists: it keeps the handler and the text, and never
// shows a hint by itself.
#pragma once

#include "ui/Component.h"

#include <functional>
#include <string>

namespace quolin {

// CanShow false: no hint this time.
using TShowTBHintEvent = std::function<void(TObject* sender, bool& canShow)>;

class TTBHint : public TComponent {
public:
  TShowTBHintEvent OnHint;
  // The text shown.
  std::string HintString;

protected:
  explicit TTBHint(TComponent* owner) : TComponent(owner) {}
};

} // namespace quolin
