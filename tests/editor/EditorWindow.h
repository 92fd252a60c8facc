// Helpers of the editor control tests: a shown form holding editors, 32-bit memory bitmaps
// for pixel checks, keys and the input method's results sent to a view.
#pragma once

#include "EditorDriver.h"
#include "editor/EditorControl.h"
#include "support/UiTest.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace editortest {

// A top-down 32-bit DIB section selected into a memory DC of its own.
class Dib {
public:
  Dib(int width, int height);
  ~Dib();
  Dib(const Dib&) = delete;
  Dib& operator=(const Dib&) = delete;

  HDC Dc() const { return dc_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  // As a COLORREF (0x00BBGGRR); call GdiFlush after drawing first.
  COLORREF At(int x, int y) const;
  void Fill(COLORREF color);
  // How many pixels differ, and the first of them.
  int Differences(const Dib& other, POINT* first = nullptr) const;
  // Pixels of color within rect.
  int CountIn(const RECT& rect, COLORREF color) const;
  // Pixels of any other colour than color within rect.
  int OtherThanIn(const RECT& rect, COLORREF color) const;

private:
  int width_;
  int height_;
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ old_;
  uint32_t* bits_ = nullptr;
};

// A shown form with an editor filling its client area, without the focus.
class EditorWindow {
public:
  explicit EditorWindow(int width = 400, int height = 240,
                        quolin::TScrollStyle bars = quolin::TScrollStyle::ssNone);

  quolin::TForm& Form() { return *form_; }
  quolin::TEditor& Editor() { return *editor_; }
  // Another editor on the form, below the first.
  quolin::TEditor* AddEditor(int width, int height);
  // Gives the editor the focus (and the form the activation).
  void Focus(quolin::TEditor& editor);
  // Gives the focus to an edit box of the form outside the editors.
  void Unfocus();

private:
  quolin::TOwned<quolin::TForm> form_;
  quolin::TEditor* editor_;
  quolin::TControl* focusSink_;
  int nextTop_ = 0;
};

// A fixed-pitch Japanese font of the given pixel height for editor: double-byte characters
// are two cells wide.
void UseGothic(quolin::TEditor& editor, int pixels = 16);

// The whole client painted into a bitmap filled with the editor's colour first.
void PaintWhole(quolin::TEditor& editor, Dib& into);

// A fixture: a shown editor in that font, without the focus.
class ShownEditor : public ::testing::Test {
protected:
  EditorWindow window{400, 200};
  quolin::TEditor& editor = window.Editor();

  void SetUp() override { UseGothic(editor, 16); }
  std::string Text() { return editor.Lines().Text(); }
  LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return SendMessageA(editor.Handle(), message, wParam, lParam);
  }
};

// A fixture: the shown editor on white, and a bitmap of its client to paint into.
class PaintedEditor : public ShownEditor {
protected:
  Dib dib{editor.ClientWidth(), editor.ClientHeight()};

  void SetUp() override {
    ShownEditor::SetUp();
    editor.SetColor(quolin::clWhite);
  }
  void Paint() { PaintWhole(editor, dib); }
};

// A fixture: the shown editor holding the focus.
class FocusedEditor : public ShownEditor {
protected:
  void SetUp() override {
    ShownEditor::SetUp();
    window.Focus(editor);
  }
};

// The client area as the window shows it now.
void CaptureClient(quolin::TEditor& editor, Dib& into);
// Rows drawn through OnDrawLine, in order, while it lives.
class DrawnRows {
public:
  explicit DrawnRows(quolin::TEditor& editor);
  ~DrawnRows();
  DrawnRows(const DrawnRows&) = delete;
  DrawnRows& operator=(const DrawnRows&) = delete;
  std::vector<int> rows;
  void Clear() { rows.clear(); }

private:
  quolin::TEditor& editor_;
};

// Sends WM_KEYDOWN and WM_KEYUP straight to the editor with Shift and Ctrl held in this
// thread's keyboard state; with repeat the key-down says the key was already down.
void SendKey(quolin::TEditor& editor, WORD key, quolin::TShiftState shift = 0, bool repeat = false);
void SendKeys(quolin::TEditor& editor, WORD key, quolin::TShiftState shift, int times);
// Sends WM_CHAR for each byte.
void SendChars(quolin::TEditor& editor, const std::string& text);
// Box mode, and a box from (row, col) over rows more rows and cols more columns by Shift+keys.
void SelectBox(quolin::TEditor& editor, int row, int col, int rows, int cols);
using uitest::HeldKeys;

// The pixel rectangle of cells [firstCol, endCol) of view row (counted from TopRow).
RECT CellRect(quolin::TEditor& editor, int viewRow, int firstCol, int endCol);
// The boundary before a cell of view row, halfway down the row, moved dx pixels.
POINT CellBoundary(quolin::TEditor& editor, int viewRow, int col, int dx = 0);

// Opens the view's input method, completes a composition of text and closes it again; the
// input method's messages wait in the queue.
void CompleteComposition(quolin::TEditor& editor, const wchar_t* text);

} // namespace editortest
