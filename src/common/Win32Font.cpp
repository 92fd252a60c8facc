// The GDI side of fonts and colours: screen metrics, font handles and system colours.
#include "core/Font.h"

#include "core/Sjis.h"

#include <windows.h>

#include <cstring>

namespace quolin {

namespace {

int ScreenPixelsPerInch() {
  HDC screen = GetDC(nullptr);
  int pixels = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return pixels > 0 ? pixels : 96;
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
