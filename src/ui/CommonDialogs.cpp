#include "ui/CommonDialogs.h"

#include "common/LogFont.h"
#include "ui/Control.h"

#include <commdlg.h>

namespace quolin {

namespace {

TColorDialogHook& ColorHook() {
  static TColorDialogHook hook;
  return hook;
}

TFontDialogHook& FontHook() {
  static TFontDialogHook hook;
  return hook;
}

bool ChooseColorNow(HWND owner, TColor& color) {
  static COLORREF customColors[16] = {};
  CHOOSECOLORA choose{};
  choose.lStructSize = sizeof choose;
  choose.hwndOwner = owner;
  choose.rgbResult = ColorToRGB(color);
  choose.lpCustColors = customColors;
  choose.Flags = CC_RGBINIT | CC_FULLOPEN;
  if (!ChooseColorA(&choose))
    return false;
  color = static_cast<TColor>(choose.rgbResult & 0xFFFFFF);
  return true;
}

bool ChooseFontNow(HWND owner, TFont& font) {
  LOGFONTA logFont = LogFontOf(font);
  CHOOSEFONTA choose{};
  choose.lStructSize = sizeof choose;
  choose.hwndOwner = owner;
  choose.lpLogFont = &logFont;
  choose.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT;
  if (!ChooseFontA(&choose))
    return false;
  TFont chosen = FontOfLogFont(logFont);
  font.Name = chosen.Name;
  font.Size = (choose.iPointSize + 5) / 10; // tenths of a point
  font.Style = (font.Style & (fsUnderline | fsStrikeOut)) | (chosen.Style & (fsBold | fsItalic));
  font.Charset = chosen.Charset;
  return true;
}

// value changes only when the user confirmed.
template <typename Value, typename Hook, typename Show>
bool Ask(const Hook& hook, Show show, HWND owner, Value& value) {
  Value answer = value;
  if (!(hook ? hook(answer) : show(owner, answer)))
    return false;
  value = answer;
  return true;
}

} // namespace

bool TColorDialog::Execute() {
  return Ask(ColorHook(), ChooseColorNow, DialogOwnerWindow(Owner()), Color);
}

bool TFontDialog::Execute() {
  return Ask(FontHook(), ChooseFontNow, DialogOwnerWindow(Owner()), Font);
}

void SetColorDialogHook(TColorDialogHook hook) {
  ColorHook() = std::move(hook);
}

void SetFontDialogHook(TFontDialogHook hook) {
  FontHook() = std::move(hook);
}

} // namespace quolin
