#include "editor/EditorControl.h"

#include "common/StringHelpers.h"

#include <algorithm>

namespace quolin {

namespace {

// Owns a GDI object.
class GdiObject {
public:
  explicit GdiObject(HGDIOBJ object) : object_(object) {}
  ~GdiObject() {
    if (object_)
      DeleteObject(object_);
  }
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;
  HGDIOBJ Get() const { return object_; }

private:
  HGDIOBJ object_;
};

// Selects an object into a DC for its lifetime.
class Selection {
public:
  Selection(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
  ~Selection() { SelectObject(dc_, old_); }
  Selection(const Selection&) = delete;
  Selection& operator=(const Selection&) = delete;

private:
  HDC dc_;
  HGDIOBJ old_;
};

// A memory DC, deleted with this object.
class MemoryDC {
public:
  explicit MemoryDC(HDC like) : dc_(CreateCompatibleDC(like)) {}
  ~MemoryDC() { DeleteDC(dc_); }
  MemoryDC(const MemoryDC&) = delete;
  MemoryDC& operator=(const MemoryDC&) = delete;
  HDC Get() const { return dc_; }

private:
  HDC dc_;
};

void FillSolid(HDC dc, const RECT& rect, TColor color) {
  GdiObject brush(CreateSolidBrush(ColorToRGB(color)));
  FillRect(dc, &rect, static_cast<HBRUSH>(brush.Get()));
}

bool SameLook(TColor left, TColor right) {
  return ColorToRGB(left) == ColorToRGB(right);
}

} // namespace

void TEditor::Paint(HDC dc) {
  RECT clip;
  int region = GetClipBox(dc, &clip);
  if (region == NULLREGION || region == ERROR)
    return;
  if (doubleBuffered_)
    PaintDoubleBuffered(dc, clip);
  else
    PaintTo(dc, clip);
}

void TEditor::PaintDoubleBuffered(HDC dc, const RECT& clip) {
  int width = clip.right - clip.left;
  int height = clip.bottom - clip.top;
  if (width <= 0 || height <= 0)
    return;
  MemoryDC memory(dc);
  GdiObject bitmap(CreateCompatibleBitmap(dc, width, height));
  Selection selected(memory.Get(), bitmap.Get());
  SetViewportOrgEx(memory.Get(), -clip.left, -clip.top, nullptr);
  FillSolid(memory.Get(), clip, Color());
  PaintTo(memory.Get(), clip);
  BitBlt(dc, clip.left, clip.top, width, height, memory.Get(), clip.left, clip.top, SRCCOPY);
}

void TEditor::OnCanvas(const std::function<void(HDC dc)>& draw) {
  if (canvas_) {
    draw(canvas_);
    return;
  }
  if (!HandleAllocated())
    return;
  HWND window = WindowHandle();
  HDC dc = GetDC(window);
  draw(dc);
  ReleaseDC(window, dc);
}

void TEditor::PaintTo(HDC dc, const RECT& clip) {
  struct CanvasScope {
    HDC& slot;
    HDC saved;
    ~CanvasScope() { slot = saved; }
  } canvas{canvas_, canvas_};
  canvas_ = dc;
  Selection font(dc, Font().Handle());
  SetBkMode(dc, OPAQUE);
  int left = margin_.Left();
  int top = margin_.Top();
  // Whole cells and whole rows.
  int paintLeft = std::max(left, left + (static_cast<int>(clip.left) - left) / pitch_ * pitch_);
  int paintTop = std::max(top, static_cast<int>(clip.top));
  paintTop = top + (paintTop - top) / rowHeight_ * rowHeight_;
  if (paintLeft >= clip.right || paintTop >= clip.bottom)
    return;
  bool underline =
      marks_.Underline().Visible() && caretMoveCount_ == 0 && GetUnderlineY(row_) != -1;
  // The underline and the line gap below a row stay, unless a selection covers them.
  int extra = Selected() || selection_.removing ? underlineExtra_ : 0;
  int x0 = left - topCol_ * pitch_;
  CaretHide();
  for (int y = paintTop; y < clip.bottom; y += rowHeight_) {
    int row = (y - top) / rowHeight_ + topRow_;
    RECT rect{paintLeft, y, clip.right, y + charHeight_ + extra};
    if (row < RowCount() && Selected() && row >= selection_.startRow && row <= selection_.endRow)
      PaintSelectedRow(dc, row, x0, y, rect);
    else if (row < RowCount())
      PaintRow(dc, row, x0, y, rect);
    else
      PaintPastEnd(dc, row, x0, y, rect);
  }
  CaretShow();
  if (underline)
    DrawUnderline(row_);
}

void TEditor::PaintPastEnd(HDC dc, int row, int x0, int y, const RECT& rect) {
  FillSolid(dc, rect, Color());
  bool textEndsWithLineEnd = RowCount() == 0 || RowAttribute(RowCount() - 1) != raTextEnd;
  if (row == RowCount() && marks_.EofMark().Visible() && textEndsWithLineEnd)
    DrawEof(x0, y);
}

void TEditor::PaintRow(HDC dc, int row, int x0, int y, const RECT& rect) {
  PaintRowText(dc, row, x0, y, rect, false);
  DoDrawLine(GetRowText(row), x0, y, row, rect, false);
}

void TEditor::PaintRowText(HDC dc, int row, int x0, int y, const RECT& rect, bool selected) {
  if (store_->GetRowState(row) == TEditorParser::kNotComputed)
    store_->UpdateRowStates(row, false);
  TRowLayout layout = RowLayout(row);
  const TEditorColor& select = view_->Colors()[ciSelect];
  SelectObject(dc, Font().Handle());
  TColor background = selected ? select.BkColor() : Color();
  if (italic_) {
    FillSolid(dc, rect, background);
  } else {
    SetTextColor(dc, ColorToRGB(selected ? select.Color() : Font().Color()));
    SetBkColor(dc, ColorToRGB(background));
    OutputText(dc, x0, y, layout.text, layout.map, rect, true);
  }
  PaintTokens(dc, row, x0, y, rect, layout, selected);
  int endX = x0 + static_cast<int>(layout.text.size()) * pitch_;
  if (endX >= rect.right)
    return;
  int attribute = RowAttribute(row);
  if (attribute == raTextEnd && row == RowCount() - 1) {
    if (marks_.EofMark().Visible())
      DrawEof(endX, y);
  } else if (attribute == raLineEnd && marks_.RetMark().Visible()) {
    if (selected)
      DrawSelectedRetMark(endX, y);
    else
      DrawRetMark(endX, y);
  }
}

void TEditor::PaintTokens(HDC dc, int row, int x0, int y, const RECT& rect,
                          const TRowLayout& layout, bool selected) {
  // A wrapped line is tokenized as one: the rows before this one go in front, the next row
  // behind it, so that a token cut by the wrap keeps its colour.
  int first = row;
  if (WordWrap()) {
    if (commentLineAllPaint_)
      first = store_->LineFirstRow(row);
    else if (row > 0 && RowAttribute(row - 1) == raWrapped)
      first = row - 1;
  }
  std::string text;
  std::string map;
  for (int before = first; before < row; ++before) {
    TRowLayout part = RowLayout(before);
    text += part.text;
    map += part.map;
  }
  int tokenX = x0 - static_cast<int>(text.size()) * pitch_;
  text += layout.text;
  map += layout.map;
  RECT clip = rect;
  if (WordWrap() && RowAttribute(row) == raWrapped && row < RowCount() - 1) {
    TRowLayout after = RowLayout(row + 1);
    text += after.text;
    map += after.map;
    clip.right = std::min(clip.right, static_cast<LONG>(x0 + layout.text.size() * pitch_));
  }
  // Selected tokens keep their style and take the Select colours.
  const TEditorColor& select = view_->Colors()[ciSelect];
  TColor plainBk = selected ? select.BkColor() : Color();
  TColor plainColor = selected ? select.Color() : Font().Color();
  TFontStyles plainStyle = Font().Style();
  std::unique_ptr<TEditorParser> parser = parserClass_(*this, text, store_->GetRowState(first));
  for (; parser->TokenKind() != tkEnd; parser->NextToken()) {
    const TEditorColor* color = TokenColor(*parser);
    TColor bk = color && !selected ? color->BkColor() : plainBk;
    TColor fore = color && !selected ? color->Color() : plainColor;
    TFontStyles style = color ? color->Style() : plainStyle;
    bool plain = SameLook(bk, plainBk) && SameLook(fore, plainColor) && style == plainStyle;
    if (plain && !italic_)
      continue; // the row's own output drew it
    int start = parser->SourcePos();
    int length = parser->TokenEnd() - start;
    int x = tokenX + start * pitch_;
    RECT cells{x, clip.top, x + length * pitch_, clip.bottom};
    if (!IntersectRect(&cells, &cells, &clip))
      continue;
    std::string_view token(text.data() + start, static_cast<size_t>(length));
    std::string_view tokenMap(map.data() + start, static_cast<size_t>(length));
    SelectObject(dc, StyledFont(style));
    SetTextColor(dc, ColorToRGB(fore));
    if (!italic_) {
      SetBkColor(dc, ColorToRGB(bk));
      OutputText(dc, x, y, token, tokenMap, cells, true);
      continue;
    }
    // Slanted glyphs reach past their cells: draw over the row, background only where it
    // differs.
    if (!SameLook(bk, plainBk))
      FillSolid(dc, cells, bk);
    SetBkMode(dc, TRANSPARENT);
    OutputText(dc, x, y, token, tokenMap, clip, false);
    SetBkMode(dc, OPAQUE);
  }
  SelectObject(dc, Font().Handle());
}

const TEditorColor* TEditor::TokenColor(const TEditorParser& parser) const {
  const TEditorColors& colors = view_->Colors();
  auto reservedOr = [&](TEditorColorIndex other) {
    return &colors[IsReserved(parser.TokenString()) ? ciReserve : other];
  };
  switch (parser.TokenKind()) {
  case tkSymbol:
    return reservedOr(ciSymbol);
  case tkString:
    return &colors[ciStr];
  case tkInteger:
  case tkFloat:
    return &colors[ciInt];
  case tkBracket: {
    int index = parser.BracketIndex();
    if (index < 0 || index >= view_->Brackets().Count())
      return nullptr;
    return &view_->Brackets().Items(index).ItemColor();
  }
  case tkComment:
    return &colors[ciComment];
  case tkWord:
    return reservedOr(ciAnk);
  case tkDbcsSymbol:
  case tkWideNumber:
  case tkWideLetters:
  case tkHiragana:
  case tkKatakana:
  case tkKanji:
  case tkHalfPunctuation:
  case tkHalfKatakana:
    return reservedOr(ciDBCS);
  case tkUrl:
    return reservedOr(ciUrl);
  case tkMail:
    return reservedOr(ciMail);
  default:
    return nullptr;
  }
}

bool TEditor::IsReserved(std::string_view token) const {
  constexpr size_t kCacheLimit = 8192;
  if (reserveWordList_.Count() == 0)
    return false;
  std::string key(token);
  if (auto found = reservedCache_.find(key); found != reservedCache_.end())
    return found->second;
  if (reservedCache_.size() >= kCacheLimit)
    reservedCache_.clear();
  int index = 0;
  bool reserved = FindSorted(reserveWordList_, token, index);
  reservedCache_.emplace(std::move(key), reserved);
  return reserved;
}

HFONT TEditor::StyledFont(TFontStyles style) {
  if (style == Font().Style())
    return Font().Handle();
  HFONT& font = styleFonts_[style & 0x0F];
  if (!font) {
    TFont value = Font().Value();
    value.Style = style;
    font = static_cast<HFONT>(value.CreateHandle());
  }
  return font;
}

void TEditor::ClearStyleFonts() {
  for (HFONT& font : styleFonts_) {
    if (font)
      DeleteObject(font);
    font = nullptr;
  }
}

bool TEditor::ComputeItalic() {
  if (Font().Style() & fsItalic)
    return true;
  const TEditorColors& colors = view_->Colors();
  for (TEditorColorIndex index :
       {ciAnk, ciComment, ciDBCS, ciInt, ciMail, ciReserve, ciStr, ciSymbol, ciUrl}) {
    if (colors[index].Style() & fsItalic)
      return true;
  }
  const TEditorBracketCollection& brackets = view_->Brackets();
  for (int index = 0; index < brackets.Count(); ++index) {
    if (brackets.Items(index).ItemColor().Style() & fsItalic)
      return true;
  }
  return false;
}

const int* TEditor::Spacing(size_t count) {
  if (spacing_.size() < count)
    spacing_.resize(count, pitch_);
  return spacing_.data();
}

void TEditor::OutputText(HDC dc, int x, int y, std::string_view text, std::string_view map,
                         const RECT& clip, bool opaque) {
  // Only the cells inside clip go out, never cutting a double-byte character, so that a
  // row of any length needs a spacing array no wider than the view.
  int count = static_cast<int>(text.size());
  int left = static_cast<int>(clip.left);
  int right = static_cast<int>(clip.right);
  int first = left > x ? std::min(count, (left - x) / pitch_) : 0;
  int last = right > x ? std::min(count, (right - x + pitch_ - 1) / pitch_) : 0;
  auto trailAt = [&](int cell) {
    return cell > 0 && cell < count && static_cast<size_t>(cell) < map.size() &&
           map[static_cast<size_t>(cell)] == kMapTrail;
  };
  if (trailAt(first))
    --first;
  if (trailAt(last))
    ++last;
  int length = std::max(0, last - first);
  UINT options = ETO_CLIPPED | (opaque ? ETO_OPAQUE : 0);
  ExtTextOutA(dc, x + first * pitch_, y, options, &clip, text.data() + first,
              static_cast<UINT>(length), length ? Spacing(static_cast<size_t>(length)) : nullptr);
}

void TEditor::DrawEof(int x, int y) {
  static constexpr std::string_view kEof = "[EOF]";
  RECT area = TextArea();
  OnCanvas([&](HDC dc) {
    // Clipped to the text area: the left margin is never painted again.
    RECT cells{x, y, x + static_cast<int>(kEof.size()) * pitch_, y + charHeight_};
    if (!IntersectRect(&cells, &cells, &area))
      return;
    Selection font(dc, Font().Handle());
    SetTextColor(dc, ColorToRGB(marks_.EofMark().Color()));
    SetBkColor(dc, ColorToRGB(Color()));
    OutputText(dc, x, y, kEof, {}, cells, true);
  });
}

void TEditor::DrawRetMark(int x, int y) {
  DrawLineEndArrow(x, y, marks_.RetMark().Color());
}

void TEditor::DrawSelectedRetMark(int x, int y) {
  DrawLineEndArrow(x, y, view_->Colors()[ciSelect].Color());
}

void TEditor::DrawLineEndArrow(int x, int y, TColor color) {
  if (x < margin_.Left())
    return;
  OnCanvas([&](HDC dc) {
    COLORREF rgb = ColorToRGB(color);
    GdiObject pen(CreatePen(PS_SOLID, 1, rgb));
    GdiObject brush(CreateSolidBrush(rgb));
    Selection selectedPen(dc, pen.Get());
    Selection selectedBrush(dc, brush.Get());
    int bottom = charHeight_ / 3 * 2 + y + 1;
    int right = x + pitch_ - 1;
    MoveToEx(dc, right, y + 3, nullptr);
    LineTo(dc, right, bottom);
    LineTo(dc, x + 1, bottom);
    POINT head[3] = {{x + 1, bottom}, {x + pitch_ / 2, bottom - 2}, {x + pitch_ / 2, bottom + 2}};
    Polygon(dc, head, 3);
  });
}

void TEditor::DrawHorizontalLine(int y, TColor color) {
  int left = margin_.Left();
  int right = ClientWidth();
  OnCanvas([&](HDC dc) {
    GdiObject pen(CreatePen(PS_SOLID, 1, ColorToRGB(color)));
    Selection selected(dc, pen.Get());
    MoveToEx(dc, left, y, nullptr);
    LineTo(dc, right, y);
  });
}

} // namespace quolin
