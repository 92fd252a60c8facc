#include "editor/WhitespaceMarks.h"

#include "core/Sjis.h"
#include "editor/EditorControl.h"
#include "ui/Graphics.h"

#include <algorithm>
#include <memory>

namespace quolin {

namespace {

constexpr std::string_view FullWidthBlank = "\x81\x40";

struct PenSelection {
  HDC dc;
  HPEN pen;
  HGDIOBJ previous;
  PenSelection(HDC target, COLORREF color)
      : dc(target), pen(CreatePen(PS_SOLID, 1, color)), previous(SelectObject(dc, pen)) {}
  ~PenSelection() {
    SelectObject(dc, previous);
    DeleteObject(pen);
  }
  PenSelection(const PenSelection&) = delete;
  PenSelection& operator=(const PenSelection&) = delete;
};

void Line(HDC dc, int x1, int y1, int x2, int y2) {
  MoveToEx(dc, x1, y1, nullptr);
  LineTo(dc, x2, y2);
}

// A small open box on the baseline.
void DrawSpaceMark(HDC dc, const RECT& cell) {
  int bottom = cell.bottom - 2;
  Line(dc, cell.left + 1, bottom - 2, cell.left + 1, bottom);
  Line(dc, cell.left + 1, bottom, cell.right - 2, bottom);
  Line(dc, cell.right - 2, bottom, cell.right - 2, bottom - 3);
}

void DrawDBSpaceMark(HDC dc, const RECT& cell) {
  HGDIOBJ brush = SelectObject(dc, GetStockObject(NULL_BRUSH));
  Rectangle(dc, cell.left + 1, cell.top + 1, cell.right - 1, cell.bottom - 1);
  SelectObject(dc, brush);
}

// An arrow to the right.
void DrawTabMark(HDC dc, const RECT& cell) {
  int middle = (cell.top + cell.bottom) / 2;
  int tip = cell.right - 2;
  // The head stays inside the cell however wide a tab is.
  int head = std::max<int>(1, std::min<int>((cell.right - cell.left) / 3,
                                            (cell.bottom - cell.top) / 2 - 2));
  Line(dc, cell.left + 1, middle, tip + 1, middle);
  Line(dc, tip - head, middle - head, tip, middle);
  Line(dc, tip - head, middle + head, tip + 1, middle - 1);
}

} // namespace

void DrawWhitespaceMarks(HDC dc, const TEditor& view, std::string_view row, int x, int y,
                         const RECT& rect, bool selected, TWhitespaceMarkFlags flags) {
  if (!flags.Space && !flags.DBSpace && !flags.Tab)
    return;
  const TColor color = selected ? view.View().Colors()[ciSelect].Color()
                                : view.Marks().RetMark().Color();
  PenSelection pen(dc, ColorToRGB(color));
  const int pitch = view.CharPitch();
  const int tabWidth = std::max(1, view.Caret().TabSpaceCount());
  const int height = view.CharHeight();
  int column = 0;
  for (size_t pos = 0; pos < row.size();) {
    size_t length = sjis::CharLength(row, pos);
    char ch = row[pos];
    int width = ch == '\t' ? tabWidth - column % tabWidth : static_cast<int>(length);
    RECT cell{x + column * pitch, y, x + (column + width) * pitch, y + height};
    bool inside = cell.left >= rect.left && cell.right <= rect.right && cell.top >= rect.top &&
                  cell.bottom <= rect.bottom;
    if (inside) {
      if (ch == ' ' && flags.Space)
        DrawSpaceMark(dc, cell);
      else if (ch == '\t' && flags.Tab)
        DrawTabMark(dc, cell);
      else if (row.substr(pos, length) == FullWidthBlank && flags.DBSpace)
        DrawDBSpaceMark(dc, cell);
    }
    column += width;
    pos += length;
  }
}

} // namespace quolin
