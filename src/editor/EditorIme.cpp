// The input method: result strings go in through the typing insert, and the character
// messages the system makes of them afterwards are swallowed; the candidate window hides the
// caret while it is open.
#include "editor/EditorControl.h"

#include <imm.h>

#include <algorithm>

namespace quolin {

void TEditor::ImeComposition(TMessage& message) {
  TCustomControl::WndProc(message);
  if (readOnly_ || !(message.LParam & GCS_RESULTSTR) || !HandleAllocated())
    return;
  HWND window = WindowHandle();
  HIMC context = ImmGetContext(window);
  if (!context)
    return;
  LONG bytes = ImmGetCompositionStringA(context, GCS_RESULTSTR, nullptr, 0);
  std::string result(static_cast<size_t>(std::max<LONG>(bytes, 0)), '\0');
  if (bytes > 0)
    ImmGetCompositionStringA(context, GCS_RESULTSTR, result.data(), static_cast<DWORD>(bytes));
  ImmReleaseContext(window, context);
  if (result.empty())
    return;
  imeBytes_ += static_cast<int>(result.size());
  InsertTyped(result);
}

void TEditor::ImeNotify(TMessage& message) {
  if (message.WParam == IMN_OPENCANDIDATE)
    CaretHide();
  else if (message.WParam == IMN_CLOSECANDIDATE)
    CaretShow();
  TCustomControl::WndProc(message);
}

} // namespace quolin
