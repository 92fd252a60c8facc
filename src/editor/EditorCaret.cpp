#include "editor/EditorControl.h"

#include <imm.h>

#include <algorithm>
#include <cstring>

namespace quolin {

// Caret position

void TEditor::SetRow(int row) {
  row = std::clamp(row, 0, LastCaretRow());
  BeginCaretMove();
  row_ = row;
  AdjustCol(col_, true);
  EndCaretMove();
}

void TEditor::SetCol(int col) {
  AdjustCol(col, false);
}

// The caret is placed and reported once, at the end; the view scrolls as the two steps would.
void TEditor::SetRowThenCol(int row, int col) {
  BeginCaretMove();
  caretBatch_ = true;
  SetRow(row);
  caretBatch_ = false;
  if (HandleAllocated() && Focused())
    ScrollCaretIntoView();
  SetCol(col);
  EndCaretMove();
}

void TEditor::SetRowCol(int row, int col) {
  if (row == row_ && col == col_)
    return;
  BeginCaretMove();
  caretBatch_ = true;
  SetRow(row);
  // Never onto a second byte: typing there would split the character.
  col_ = LeaveSplitCells(RowLayout(row_).map, std::clamp(col, 0, kMaxCol), -1);
  caretBatch_ = false;
  UpdateCaret(true);
  EndCaretMove();
}

void TEditor::AdjustCol(int wanted, bool vertical) {
  int col = std::clamp(wanted, 0, kMaxCol);
  int direction = col > col_ ? 1 : -1;
  if (!vertical)
    rememberedValid_ = false;
  else if (rememberedValid_)
    col = rememberedCol_;
  std::string map = RowLayout(row_).map;
  int end = static_cast<int>(map.size());
  if (!caret_.FreeCaret && col > end) {
    if (caret_.KeepCaret && !rememberedValid_) {
      rememberedCol_ = col;
      rememberedValid_ = true;
    }
    col = end;
  }
  col = LeaveSplitCells(map, col, direction);
  if (WordWrap() && col >= end) {
    int wrapByte = store_->WrapOption().WrapByte();
    if (RowAttribute(row_) == raWrapped)
      col = std::max(0, end - 1);
    else if (col >= wrapByte)
      col = std::max(end, wrapByte - 1);
    col = LeaveSplitCells(map, col, -1);
  }
  col_ = col;
  if (!caretBatch_)
    UpdateCaret(true);
}

int TEditor::LeaveSplitCells(const std::string& map, int col, int direction) const {
  auto kind = [&](int cell) {
    return cell >= 0 && cell < static_cast<int>(map.size()) ? map[static_cast<size_t>(cell)]
                                                            : kMapEnd;
  };
  // Nothing lands past the column limit: a character cut by it keeps the caret on its first
  // cell.
  if (kind(col) == kMapTrail)
    col = direction > 0 && col < kMaxCol ? col + 1 : col - 1;
  if (caret_.InTab)
    return col;
  int start = col;
  while (kind(col) == kMapFill)
    col += direction;
  if (col > kMaxCol) {
    col = start;
    while (kind(col) == kMapFill)
      --col;
  }
  return col;
}

bool TEditor::LeadByteAtCaret() const {
  std::string map = RowLayout(row_).map;
  return col_ < static_cast<int>(map.size()) && map[static_cast<size_t>(col_)] == kMapLead;
}

POINT TEditor::GetCaretPixelPos() const {
  POINT point{margin_.Left() + (col_ - topCol_) * pitch_,
              margin_.Top() + (row_ - topRow_) * rowHeight_};
  if (caret_.Style() == TEditorCaretStyle::csBrief && !overWrite_)
    point.y += charHeight_ - 2;
  return point;
}

bool TEditor::CaretInView() const {
  return topRow_ <= row_ && row_ <= topRow_ + visibleRows_ && topCol_ <= col_ &&
         col_ <= topCol_ + visibleCols_;
}

void TEditor::ScrollCaretIntoView() {
  int rows = std::max(visibleRows_, 1);
  if (row_ < topRow_)
    SetTopRow(row_);
  else if (row_ > topRow_ + rows - 1)
    SetTopRow(row_ - (rows - 1));
  // Sideways the view jumps by a quarter of its width.
  int cols = visibleCols_;
  if (col_ < topCol_)
    SetTopCol(std::max(0, std::min(col_, topCol_ - cols / 4)));
  else if (col_ > topCol_ + std::max(cols, 1) - 1)
    SetTopCol(std::min(std::max(col_ - (cols - 1), topCol_ + cols / 4), kMaxCol - cols / 2));
}

// The system caret

void TEditor::CaretHide() {
  if (caretHideCount_++ > 0)
    return;
  if (caretShown_ && HandleAllocated()) {
    HideCaret(WindowHandle());
    caretShown_ = false;
  }
}

void TEditor::CaretShow() {
  if (caretHideCount_ == 0 || --caretHideCount_ > 0)
    return;
  ShowCaretInView();
}

void TEditor::ShowCaretInView() {
  if (caretShown_ || !caretCreated_ || !HandleAllocated() || !Focused() || !CaretInView())
    return;
  PlaceSystemCaret(GetCaretPixelPos());
  ShowCaret(WindowHandle());
  caretShown_ = true;
}

void TEditor::PlaceSystemCaret(POINT point) {
  if (caretPosValid_ && caretPos_.x == point.x && caretPos_.y == point.y)
    return;
  SetCaretPos(point.x, point.y);
  caretPos_ = point;
  caretPosValid_ = true;
}

void TEditor::CreateEditCaret() {
  if (!HandleAllocated() || !Focused())
    return;
  int cell = std::max(1, pitch_ - margin_.Character());
  if (LeadByteAtCaret())
    cell *= 2;
  int width = 2;
  int height = charHeight_;
  if (overWrite_) {
    width = cell;
  } else if (caret_.Style() == TEditorCaretStyle::csBrief) {
    width = cell;
    height = 2;
  }
  // A caret of the same shape is only moved: making it again changes nothing the user sees.
  if (caretCreated_ && caretSize_.cx == width && caretSize_.cy == height)
    return;
  DestroyEditCaret();
  CreateCaret(WindowHandle(), nullptr, width, height);
  caretCreated_ = true;
  caretPosValid_ = false;
  caretSize_ = SIZE{width, height};
}

void TEditor::DestroyEditCaret() {
  if (!caretCreated_)
    return;
  if (caretShown_ && HandleAllocated())
    HideCaret(WindowHandle());
  DestroyCaret();
  caretCreated_ = false;
  caretShown_ = false;
}

void TEditor::UpdateCaret(bool create) {
  // Deferring first: asking the system for the focus costs a round trip, and an update bracket
  // moves the caret once per edit.
  if (Deferring()) {
    deferred_.caret = true;
    deferred_.createCaret = deferred_.createCaret || create;
    return;
  }
  if (!HandleAllocated() || !Focused())
    return;
  if (create)
    CreateEditCaret();
  ScrollCaretIntoView();
  PlaceSystemCaret(GetCaretPixelPos());
  UpdateImeWindow();
  DoCaretMoved();
  if (caretHideCount_ == 0)
    ShowCaretInView();
}

// The caret-row underline

// The caret stays hidden from the outermost begin to the outermost end: it is shown once,
// where it ends, instead of around each step (each hide, show and placing is a round trip).
void TEditor::BeginCaretMove() {
  if (caretMoveCount_++ > 0)
    return;
  CaretHide();
  if (marks_.Underline().Visible() && !Selected())
    EraseUnderline(row_);
}

void TEditor::EndCaretMove() {
  if (caretMoveCount_ == 0 || --caretMoveCount_ > 0)
    return;
  if (marks_.Underline().Visible() && !Selected())
    DrawUnderline(row_);
  CaretShow();
}

int TEditor::GetUnderlineY(int row) const {
  int y = margin_.Top() + (row - topRow_) * rowHeight_ + charHeight_;
  int height = Height();
  RECT client;
  if (HandleAllocated() && GetClientRect(WindowHandle(), &client))
    height = client.bottom;
  return y <= margin_.Top() || y >= height ? -1 : y;
}

void TEditor::DrawUnderline(int row) {
  int y = GetUnderlineY(row);
  if (!Showing() || y < 0)
    return;
  CaretHide();
  DrawHorizontalLine(y, marks_.Underline().Color());
  CaretShow();
}

void TEditor::EraseUnderline(int row) {
  int y = GetUnderlineY(row);
  if (!Showing() || y < 0)
    return;
  CaretHide();
  DrawHorizontalLine(y, Color());
  CaretShow();
}

// The input method's composition window

void TEditor::UpdateImeWindow() {
  if (!HandleAllocated())
    return;
  if (autoRepeat_) {
    imePending_ = true;
    return;
  }
  imePending_ = false;
  HWND window = WindowHandle();
  HIMC context = ImmGetContext(window);
  if (!context)
    return;
  COMPOSITIONFORM form{};
  form.dwStyle = CFS_POINT;
  form.ptCurrentPos = POINT{margin_.Left() + (col_ - topCol_) * pitch_,
                            margin_.Top() + (row_ - topRow_) * rowHeight_};
  ImmSetCompositionWindow(context, &form);
  // The context is the thread's, shared with other windows: its font is set only when it
  // differs, which spares the input method a notice on every keystroke.
  LOGFONTW font{}, current{};
  if (GetObjectW(Font().Handle(), sizeof font, &font) &&
      !(ImmGetCompositionFontW(context, &current) &&
        std::memcmp(&font, &current, sizeof font) == 0))
    ImmSetCompositionFontW(context, &font);
  ImmReleaseContext(window, context);
}

} // namespace quolin
