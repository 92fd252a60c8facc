// The marks of blanks, full-width blanks and tabs, drawn over a painted row of a view (the
// document windows and the command editors draw them from the view's line-drawing event).
#pragma once

#include <windows.h>

#include <string_view>

namespace quolin {

class TEditor;

struct TWhitespaceMarkFlags {
  bool Space = true;
  bool DBSpace = true;
  bool Tab = true;
};

// row: the row's bytes; x: where its column 0 is (the left margin less the horizontal scroll);
// y: the row's top. Each mark stays inside its cell, and only cells wholly inside rect get
// one. A tab advances to the next multiple of the view's tab width; a full-width blank spans
// two columns. The pen is the line-end mark's colour, or the selection's text colour.
void DrawWhitespaceMarks(HDC dc, const TEditor& view, std::string_view row, int x, int y,
                         const RECT& rect, bool selected, TWhitespaceMarkFlags flags);

} // namespace quolin
