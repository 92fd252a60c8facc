// The GDI side of fonts and colours: screen metrics, font handles and system colours.
#include "core/Font.h"

#include "common/LogFont.h"
#include "core/Sjis.h"

#include <windows.h>

#include <cstring>

namespace quolin {

namespace {

// The screen's resolution is fixed for the process; asking costs a request to the window server.
int ScreenPixelsPerInch() {
  static const int pixels = [] {
    HDC screen = GetDC(nullptr);
    int caps = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return caps > 0 ? caps : 96;
  }();
  return pixels;
}

} // namespace

uint32_t ColorToRGB(TColor color) {
  if (IsSystemColor(color))
    return GetSysColor(color & 0xFF);
  return static_cast<uint32_t>(color) & 0xFFFFFF;
}

int TFont::PixelHeight() const {
  return -MulDiv(Size, ScreenPixelsPerInch(), 72);
}

void TFont::SetPixelHeight(int height) {
  Size = -MulDiv(height, 72, ScreenPixelsPerInch());
}

LOGFONTA LogFontOf(const TFont& font) {
  LOGFONTA record{};
  record.lfHeight = font.PixelHeight();
  record.lfWeight = (font.Style & fsBold) ? FW_BOLD : FW_NORMAL;
  record.lfItalic = (font.Style & fsItalic) ? TRUE : FALSE;
  record.lfUnderline = (font.Style & fsUnderline) ? TRUE : FALSE;
  record.lfStrikeOut = (font.Style & fsStrikeOut) ? TRUE : FALSE;
  record.lfCharSet = font.Charset;
  record.lfOutPrecision = OUT_DEFAULT_PRECIS;
  record.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  record.lfQuality = DEFAULT_QUALITY;
  record.lfPitchAndFamily = font.Pitch == TFontPitch::fpFixed      ? FIXED_PITCH
                            : font.Pitch == TFontPitch::fpVariable ? VARIABLE_PITCH
                                                                   : DEFAULT_PITCH;
  // A face name too long for the record is cut between characters, never inside one.
  size_t length = font.Name.size();
  if (length >= LF_FACESIZE)
    length = sjis::CharStart(font.Name, LF_FACESIZE - 1);
  std::memcpy(record.lfFaceName, font.Name.data(), length);
  return record;
}

TFont FontOfLogFont(const LOGFONTA& logFont, TFont font) {
  font.Name.assign(logFont.lfFaceName, strnlen(logFont.lfFaceName, LF_FACESIZE));
  font.SetPixelHeight(logFont.lfHeight);
  font.Style = (logFont.lfWeight >= FW_BOLD ? fsBold : 0) | (logFont.lfItalic ? fsItalic : 0) |
               (logFont.lfUnderline ? fsUnderline : 0) | (logFont.lfStrikeOut ? fsStrikeOut : 0);
  font.Charset = logFont.lfCharSet;
  switch (logFont.lfPitchAndFamily & 3) {
  case FIXED_PITCH:
    font.Pitch = TFontPitch::fpFixed;
    break;
  case VARIABLE_PITCH:
    font.Pitch = TFontPitch::fpVariable;
    break;
  default:
    font.Pitch = TFontPitch::fpDefault;
    break;
  }
  return font;
}

void* TFont::CreateHandle() const {
  LOGFONTA record = LogFontOf(*this);
  return CreateFontIndirectA(&record);
}

} // namespace quolin
