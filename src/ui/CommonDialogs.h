// The platform's colour and font dialogs as components. Each dialog is owned by the owner's
// top-level window (the application's without one); Execute changes the value only when the
// user confirmed. Test hooks can stand in for the dialogs.
#pragma once

#include "core/Font.h"
#include "ui/Component.h"

#include <functional>

namespace quolin {

// The full colour dialog, starting at Color (a system colour as its RGB value). The custom
// colours are kept for the run, shared by every colour dialog.
class TColorDialog : public TComponent {
public:
  TColor Color = clBlack;

  // True when confirmed; Color holds the chosen colour.
  bool Execute();

protected:
  explicit TColorDialog(TComponent* owner) : TComponent(owner) {}
};

// The screen fonts, starting at Font. The answer takes the chosen face, size, bold, italic and
// character set; colour, underline and strike-out stay as they were.
class TFontDialog : public TComponent {
public:
  TFont Font;

  // True when confirmed; Font holds the answer.
  bool Execute();

protected:
  explicit TFontDialog(TComponent* owner) : TComponent(owner) {}
};

// Given the initial value, a hook answers whether the user confirmed and, if so, puts the
// chosen value into it. An empty function restores the dialog.
using TColorDialogHook = std::function<bool(TColor& color)>;
void SetColorDialogHook(TColorDialogHook hook);
using TFontDialogHook = std::function<bool(TFont& font)>;
void SetFontDialogHook(TFontDialogHook hook);

} // namespace quolin
