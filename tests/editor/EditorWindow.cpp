#include "EditorWindow.h"

#include "ui/Edits.h"

#include <imm.h>

#include <algorithm>
#include <cwchar>
#include <iterator>

namespace editortest {

using namespace quolin;

Dib::Dib(int width, int height) : width_(width), height_(height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  dc_ = CreateCompatibleDC(nullptr);
  bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  bits_ = static_cast<uint32_t*>(bits);
  old_ = SelectObject(dc_, bitmap_);
}

Dib::~Dib() {
  SelectObject(dc_, old_);
  DeleteObject(bitmap_);
  DeleteDC(dc_);
}

COLORREF Dib::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_)
    return CLR_INVALID;
  uint32_t pixel =
      bits_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)];
  return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

void Dib::Fill(COLORREF color) {
  HBRUSH brush = CreateSolidBrush(color);
  RECT all{0, 0, width_, height_};
  FillRect(dc_, &all, brush);
  DeleteObject(brush);
  GdiFlush();
}

int Dib::Differences(const Dib& other, POINT* first) const {
  int count = 0;
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x)
      if (At(x, y) != other.At(x, y)) {
        if (count++ == 0 && first)
          *first = POINT{x, y};
      }
  return count;
}

int Dib::CountIn(const RECT& rect, COLORREF color) const {
  int count = 0;
  for (int y = rect.top; y < rect.bottom; ++y)
    for (int x = rect.left; x < rect.right; ++x)
      count += At(x, y) == color;
  return count;
}

int Dib::OtherThanIn(const RECT& rect, COLORREF color) const {
  return (rect.right - rect.left) * (rect.bottom - rect.top) - CountIn(rect, color);
}

EditorWindow::EditorWindow(int width, int height, TScrollStyle bars) : form_(uitest::MakeForm()) {
  form_->SetBounds(40, 40, width + 100, height * 2 + 80);
  editor_ = TComponent::Create<TEditor>(form_.get(), "Editor1");
  editor_->SetScrollBars(bars);
  editor_->SetBounds(0, 0, width, height);
  editor_->SetParent(form_.get());
  nextTop_ = height;
  focusSink_ = TComponent::Create<TEdit>(form_.get(), "FocusSink");
  focusSink_->SetBounds(width + 10, 0, 60, 20);
  focusSink_->SetParent(form_.get());
  form_->Show();
  Unfocus();
  uitest::Pump();
}

TEditor* EditorWindow::AddEditor(int width, int height) {
  TEditor* editor = TComponent::Create<TEditor>(form_.get(), {});
  editor->SetBounds(0, nextTop_, width, height);
  editor->SetParent(form_.get());
  nextTop_ += height;
  uitest::Pump();
  return editor;
}

void EditorWindow::Focus(TEditor& editor) {
  SetForegroundWindow(form_->Handle());
  editor.SetFocus();
  uitest::Pump();
}

void EditorWindow::Unfocus() {
  focusSink_->SetFocus();
  uitest::Pump();
}

void UseGothic(TEditor& editor, int pixels) {
  TFont font = editor.Font().Value();
  font.Name = "ＭＳ ゴシック";
  font.Charset = SHIFTJIS_CHARSET_VALUE;
  font.SetPixelHeight(-pixels);
  editor.Font().Assign(font);
}

void CaptureClient(TEditor& editor, Dib& into) {
  uitest::Pump();
  HWND window = editor.Handle();
  HDC dc = GetDC(window);
  BitBlt(into.Dc(), 0, 0, into.Width(), into.Height(), dc, 0, 0, SRCCOPY);
  ReleaseDC(window, dc);
  GdiFlush();
}

void PaintWhole(TEditor& editor, Dib& into) {
  into.Fill(ColorToRGB(editor.Color()));
  RECT all{0, 0, into.Width(), into.Height()};
  editor.PaintTo(into.Dc(), all);
  GdiFlush();
}

DrawnRows::DrawnRows(TEditor& editor) : editor_(editor) {
  editor.OnDrawLine = [this](TObject*, const std::string&, int, int, int index, const RECT&, bool) {
    rows.push_back(index);
  };
}

DrawnRows::~DrawnRows() {
  editor_.OnDrawLine = nullptr;
}

void SendKey(TEditor& editor, WORD key, TShiftState shift, bool repeat) {
  HeldKeys held(shift);
  HWND window = editor.Handle();
  LPARAM down = 1 | (repeat ? (1 << 30) : 0);
  SendMessageA(window, WM_KEYDOWN, key, down);
  SendMessageA(window, WM_KEYUP, key, static_cast<LPARAM>(1 | (3u << 30)));
}

void SendKeys(TEditor& editor, WORD key, TShiftState shift, int times) {
  for (int time = 0; time < times; ++time)
    SendKey(editor, key, shift);
}

void SendChars(TEditor& editor, const std::string& text) {
  for (char character : text)
    SendMessageA(editor.Handle(), WM_CHAR, static_cast<unsigned char>(character), 1);
}

void SelectBox(TEditor& editor, int row, int col, int rows, int cols) {
  editor.SetSelectionMode(1);
  editor.SetRowCol(row, col);
  SendKeys(editor, VK_DOWN, ssShift, rows);
  SendKeys(editor, VK_RIGHT, ssShift, cols);
}

RECT CellRect(TEditor& editor, int viewRow, int firstCol, int endCol) {
  int left = editor.Margin().Left();
  int top = editor.Margin().Top() + viewRow * editor.RowHeight();
  return RECT{left + firstCol * editor.CharPitch(), top, left + endCol * editor.CharPitch(),
              top + editor.CharHeight()};
}

POINT CellBoundary(TEditor& editor, int viewRow, int col, int dx) {
  return POINT{editor.Margin().Left() + col * editor.CharPitch() + dx,
               editor.Margin().Top() + viewRow * editor.RowHeight() + editor.RowHeight() / 2};
}

void CompleteComposition(TEditor& editor, const wchar_t* text) {
  HIMC context = ImmGetContext(editor.Handle());
  ImmSetOpenStatus(context, TRUE);
  ImmSetCompositionStringW(context, SCS_SETSTR, const_cast<wchar_t*>(text),
                           static_cast<DWORD>(std::wcslen(text) * sizeof(wchar_t)), nullptr, 0);
  ImmNotifyIME(context, NI_COMPOSITIONSTR, CPS_COMPLETE, 0);
  ImmSetOpenStatus(context, FALSE);
  ImmReleaseContext(editor.Handle(), context);
}

} // namespace editortest
