#include "common/Font.h"

#include "common/Sjis.h"

#include <windows.h>

#include <array>
#include <cstring>
#include <utility>

namespace quolin {

namespace {

int ScreenPixelsPerInch() {
  HDC screen = GetDC(nullptr);
  int pixels = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return pixels > 0 ? pixels : 96;
}

const std::array<std::pair<TColor, const char*>, 42> kColorNames{{
    {clBlack, "clBlack"}, {clMaroon, "clMaroon"}, {clGreen, "clGreen"}, {clOlive, "clOlive"},
    {clNavy, "clNavy"}, {clPurple, "clPurple"}, {clTeal, "clTeal"}, {clGray, "clGray"},
    {clSilver, "clSilver"}, {clRed, "clRed"}, {clLime, "clLime"}, {clYellow, "clYellow"},
    {clBlue, "clBlue"}, {clFuchsia, "clFuchsia"}, {clAqua, "clAqua"}, {clWhite, "clWhite"},
    {clScrollBar, "clScrollBar"}, {clBackground, "clBackground"},
    {clActiveCaption, "clActiveCaption"}, {clInactiveCaption, "clInactiveCaption"},
    {clMenu, "clMenu"}, {clWindow, "clWindow"}, {clWindowFrame, "clWindowFrame"},
    {clMenuText, "clMenuText"}, {clWindowText, "clWindowText"}, {clCaptionText, "clCaptionText"},
    {clActiveBorder, "clActiveBorder"}, {clInactiveBorder, "clInactiveBorder"},
    {clAppWorkSpace, "clAppWorkSpace"}, {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"}, {clBtnFace, "clBtnFace"},
    {clBtnShadow, "clBtnShadow"}, {clGrayText, "clGrayText"}, {clBtnText, "clBtnText"},
    {clInactiveCaptionText, "clInactiveCaptionText"}, {clBtnHighlight, "clBtnHighlight"},
    {cl3DDkShadow, "cl3DDkShadow"}, {cl3DLight, "cl3DLight"}, {clInfoText, "clInfoText"},
    {clInfoBk, "clInfoBk"}, {clNone, "clNone"},
}};

} // namespace

uint32_t ColorToRGB(TColor color) {
  if (IsSystemColor(color))
    return GetSysColor(color & 0xFF);
  return static_cast<uint32_t>(color) & 0xFFFFFF;
}

bool ColorToIdent(TColor color, std::string& name) {
  for (const auto& [value, ident] : kColorNames) {
    if (value == color) {
      name = ident;
      return true;
    }
  }
  return false;
}

bool IdentToColor(const std::string& name, TColor& color) {
  for (const auto& [value, ident] : kColorNames) {
    if (lstrcmpiA(ident, name.c_str()) == 0) {
      color = value;
      return true;
    }
  }
  return false;
}

int TFont::PixelHeight() const {
  return -MulDiv(Size, ScreenPixelsPerInch(), 72);
}

void TFont::SetPixelHeight(int height) {
  Size = -MulDiv(height, 72, ScreenPixelsPerInch());
}

void* TFont::CreateHandle() const {
  LOGFONTA font{};
  font.lfHeight = PixelHeight();
  font.lfWeight = (Style & fsBold) ? FW_BOLD : FW_NORMAL;
  font.lfItalic = (Style & fsItalic) ? TRUE : FALSE;
  font.lfUnderline = (Style & fsUnderline) ? TRUE : FALSE;
  font.lfStrikeOut = (Style & fsStrikeOut) ? TRUE : FALSE;
  font.lfCharSet = Charset;
  font.lfOutPrecision = OUT_DEFAULT_PRECIS;
  font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  font.lfQuality = DEFAULT_QUALITY;
  font.lfPitchAndFamily = Pitch == TFontPitch::fpFixed      ? FIXED_PITCH
                          : Pitch == TFontPitch::fpVariable ? VARIABLE_PITCH
                                                            : DEFAULT_PITCH;
  // A face name too long for the record is cut between characters, never inside one.
  size_t length = Name.size();
  if (length >= LF_FACESIZE)
    length = sjis::CharStart(Name, LF_FACESIZE - 1);
  std::memcpy(font.lfFaceName, Name.data(), length);
  return CreateFontIndirectA(&font);
}

} // namespace quolin
