// A font as the platform's LOGFONT record, both ways: for font handles and the font dialog.
#pragma once

#include "core/Font.h"

#include <windows.h>

namespace quolin {

// lfHeight is the font's pixel height; a face too long for the record is cut between
// characters.
LOGFONTA LogFontOf(const TFont& font);
// The record's face, height, weight (700 or more is bold), italic, underline, strike-out,
// character set and pitch over font; its colour stays.
TFont FontOfLogFont(const LOGFONTA& logFont, TFont font = {});

} // namespace quolin
