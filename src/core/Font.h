// Colours and fonts as values. A TColor is 0x00BBGGRR, or a system colour 0xFF000000 plus a
// COLOR_ index (any negative value reads as a system colour). Window-free; the members
// that need the screen or GDI (ColorToRGB, PixelHeight, CreateHandle) are defined by the Win32
// layer (common/Win32Font.cpp).
#pragma once

#include "core/OptionTable.h"

#include <cstdint>
#include <string>

namespace quolin {

using TColor = int32_t;

constexpr TColor SystemColor(int index) {
  return static_cast<TColor>(0xFF000000u | static_cast<uint32_t>(index));
}

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clMaroon = 0x000080;
inline constexpr TColor clGreen = 0x008000;
inline constexpr TColor clOlive = 0x008080;
inline constexpr TColor clNavy = 0x800000;
inline constexpr TColor clPurple = 0x800080;
inline constexpr TColor clTeal = 0x808000;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clSilver = 0xC0C0C0;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clLime = 0x00FF00;
inline constexpr TColor clYellow = 0x00FFFF;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clFuchsia = 0xFF00FF;
inline constexpr TColor clAqua = 0xFFFF00;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clNone = 0x1FFFFFFF;
inline constexpr TColor clDefault = 0x20000000;

inline constexpr TColor clScrollBar = SystemColor(0);
inline constexpr TColor clBackground = SystemColor(1);
inline constexpr TColor clActiveCaption = SystemColor(2);
inline constexpr TColor clInactiveCaption = SystemColor(3);
inline constexpr TColor clMenu = SystemColor(4);
inline constexpr TColor clWindow = SystemColor(5);
inline constexpr TColor clWindowFrame = SystemColor(6);
inline constexpr TColor clMenuText = SystemColor(7);
inline constexpr TColor clWindowText = SystemColor(8);
inline constexpr TColor clCaptionText = SystemColor(9);
inline constexpr TColor clActiveBorder = SystemColor(10);
inline constexpr TColor clInactiveBorder = SystemColor(11);
inline constexpr TColor clAppWorkSpace = SystemColor(12);
inline constexpr TColor clHighlight = SystemColor(13);
inline constexpr TColor clHighlightText = SystemColor(14);
inline constexpr TColor clBtnFace = SystemColor(15);
inline constexpr TColor clBtnShadow = SystemColor(16);
inline constexpr TColor clGrayText = SystemColor(17);
inline constexpr TColor clBtnText = SystemColor(18);
inline constexpr TColor clInactiveCaptionText = SystemColor(19);
inline constexpr TColor clBtnHighlight = SystemColor(20);
inline constexpr TColor cl3DDkShadow = SystemColor(21);
inline constexpr TColor cl3DLight = SystemColor(22);
inline constexpr TColor clInfoText = SystemColor(23);
inline constexpr TColor clInfoBk = SystemColor(24);

constexpr bool IsSystemColor(TColor color) {
  return color < 0;
}

// The RGB value (0x00BBGGRR) of a colour; system colours are looked up.
uint32_t ColorToRGB(TColor color);

// Colour names of the class library ("clWindow", "clRed"), both ways; false when unknown.
bool ColorToIdent(TColor color, std::string& name);
bool IdentToColor(const std::string& name, TColor& color);

enum TFontStyle : uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = uint8_t;

inline constexpr uint8_t DEFAULT_CHARSET_VALUE = 1;
inline constexpr uint8_t SHIFTJIS_CHARSET_VALUE = 128;

enum class TFontPitch : uint8_t { fpDefault, fpVariable, fpFixed };

struct TFont {
  std::string Name = "ＭＳ Ｐゴシック";
  int Size = 9;  // points
  TColor Color = clWindowText;
  TFontStyles Style = 0;
  uint8_t Charset = SHIFTJIS_CHARSET_VALUE;
  TFontPitch Pitch = TFontPitch::fpDefault;

  bool operator==(const TFont&) const = default;

  // Height in pixels for the screen's logical pixels per inch (negative: character height).
  int PixelHeight() const;
  void SetPixelHeight(int height);
  // A new GDI font; the caller owns it (release with DeleteObject).
  void* CreateHandle() const;

  // The published options (see core/OptionTable.h): Height in pixels stands for Size.
  template <typename Visit> static void ForEachOption(Visit&& visit) {
    using K = TOptionKind;
    visit(FieldOption<K::Charset>("Charset", &TFont::Charset));
    visit(FieldOption<K::Color>("Color", &TFont::Color));
    visit(AccessorOption<K::Int>("Height", &TFont::PixelHeight, &TFont::SetPixelHeight));
    visit(FieldOption<K::String>("Name", &TFont::Name));
    visit(FieldOption<K::Pitch>("Pitch", &TFont::Pitch));
    visit(FieldOption<K::FontStyles>("Style", &TFont::Style));
  }
};

} // namespace quolin
