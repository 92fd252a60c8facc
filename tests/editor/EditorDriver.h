// Helpers of all editor tests: texts, selections, and a view for the window-free tests that
// takes keys and characters as the window procedure hands them on and shows its selection.
#pragma once

#include "editor/EditorControl.h"

#include <string>
#include <utility>

namespace editortest {

// count rows of width letters (a, b, c...), each with its line end.
inline std::string Rows(int count, int width = 10) {
  std::string text;
  for (int row = 0; row < count; ++row)
    text += std::string(static_cast<size_t>(width), static_cast<char>('a' + row % 26)) + "\r\n";
  return text;
}

// A text whose last line has no line end, the caret at its start.
inline void SetOpenText(quolin::TEditor& editor, const std::string& text) {
  editor.Lines().Clear();
  editor.ScreenStrings().ReplaceRows(0, 0, text);
  editor.SetRowCol(0, 0);
}

// The caret as (row, column).
inline std::pair<int, int> CaretAt(const quolin::TEditor& editor) {
  return {editor.Row(), editor.Col()};
}

// length bytes from offset start, line ends counting 2.
inline void Select(quolin::TEditor& editor, int start, int length) {
  editor.SetSelStart(start);
  editor.SetSelLength(length);
}

class DrivenEditor : public quolin::TEditor {
public:
  // A key as WM_KEYDOWN hands it on, with the shift state given.
  void Press(WORD key, quolin::TShiftState shift = 0, int times = 1) {
    for (int time = 0; time < times; ++time) {
      WORD pressed = key;
      KeyDown(pressed, shift);
    }
  }
  void Type(const std::string& text) {
    for (char character : text) {
      char typed = character;
      KeyPress(typed);
    }
  }
  const quolin::TEditorSelection& Selection() const { return selection_; }
  quolin::TEditorSelection& EditSelection() { return selection_; }
  std::string Text() { return Lines().Text(); }

protected:
  using TEditor::TEditor;
};

inline quolin::TOwned<DrivenEditor> NewEditor(const std::string& text = {}) {
  quolin::TOwned<DrivenEditor> editor(quolin::TComponent::Create<DrivenEditor>(nullptr));
  editor->Lines().SetText(text);
  editor->SetRowCol(0, 0);
  return editor;
}

// A text whose last line has no line end.
inline quolin::TOwned<DrivenEditor> NewOpenEndedEditor(const std::string& text) {
  quolin::TOwned<DrivenEditor> editor = NewEditor();
  SetOpenText(*editor, text);
  return editor;
}

// Word wrap at wrapByte, then the text.
inline quolin::TOwned<DrivenEditor> NewWrappedEditor(int wrapByte, const std::string& text) {
  quolin::TOwned<DrivenEditor> editor = NewEditor();
  editor->WrapOption().SetWrapByte(wrapByte);
  editor->SetWordWrap(true);
  editor->Lines().SetText(text);
  return editor;
}

} // namespace editortest
