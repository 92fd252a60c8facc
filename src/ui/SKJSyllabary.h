// TSKJSyllabary: captures the reading (the phonetic input) of text that the input method
// commits in a control, so that an index reading can be filled in as the word is typed. It
// watches the control through a message observer, so the control's own procedure stays as it
// is and the watch survives RecreateWnd.
#pragma once

#include "ui/Component.h"

#include <windows.h>

#include <functional>
#include <string>

namespace quolin {

class TControl;
class TObject;

using TCompositionStrEvent = std::function<void(TObject* sender, const std::string& value)>;

// The result reading of the window's input method context (ANSI); "" when it has none.
std::string ReadResultReading(HWND window);
// What the component reads readings with; the default is ReadResultReading. Gives the one it
// replaced (tests inject readings: Wine's input method delivers none).
using TResultReadingReader = std::function<std::string(HWND window)>;
TResultReadingReader SetResultReadingReader(TResultReadingReader reader);

class TSKJSyllabary : public TComponent {
public:
  TControl* Control() const { return control_; }
  // Stops watching the old control, then watches the new one (none: nothing).
  void SetControl(TControl* control);

  // Raised with the reading of every composition result that carries one.
  TCompositionStrEvent OnCompositionStr;

protected:
  explicit TSKJSyllabary(TComponent* owner);
  void BeforeDestruction() override;
  void Notification(TComponent* component, TOperation operation) override;

private:
  TControl* control_ = nullptr;
  int observer_ = 0;

  void Detach();
};

} // namespace quolin
