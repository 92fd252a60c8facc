#include "ui/ImeText.h"

#include "core/Platform.h"
#include "ui/Control.h"

#include <imm.h>

namespace quolin {

bool SetImeCompositionText(const std::string& text, TControl& control) {
  if (text.empty())
    return false;
  if (control.CanFocus())
    control.SetFocus();
  HWND window = control.Handle();
  HIMC context = ImmGetContext(window);
  if (!context)
    return false;
  if (!ImmGetOpenStatus(context))
    ImmSetOpenStatus(context, TRUE);
  // The wide form: the ANSI one keeps only half of a double-byte text under Wine.
  std::u16string wide = AnsiToUtf16(text);
  bool set = ImmSetCompositionStringW(context, SCS_SETSTR, wide.data(),
                                      static_cast<DWORD>(wide.size() * sizeof(char16_t)), nullptr,
                                      0) != FALSE;
  if (set)
    ImmNotifyIME(context, NI_COMPOSITIONSTR, CPS_CONVERT, 0);
  ImmReleaseContext(window, context);
  return set;
}

} // namespace quolin
