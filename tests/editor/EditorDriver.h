// A view for the window-free tests of editing and selection: it takes keys and characters as
// the window procedure hands them on, and shows its selection record.
#pragma once

#include "editor/EditorControl.h"

#include <string>

namespace editortest {

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

protected:
  using TEditor::TEditor;
};

inline quolin::TOwned<DrivenEditor> NewEditor(const std::string& text = {}) {
  quolin::TOwned<DrivenEditor> editor(quolin::TComponent::Create<DrivenEditor>(nullptr));
  editor->Lines().SetText(text);
  editor->SetRow(0);
  editor->SetCol(0);
  return editor;
}

// A text whose last line has no line end.
inline quolin::TOwned<DrivenEditor> NewOpenEndedEditor(const std::string& text) {
  quolin::TOwned<DrivenEditor> editor = NewEditor();
  editor->SetSelTextBuf(text.c_str());
  editor->SetRow(0);
  editor->SetCol(0);
  return editor;
}

} // namespace editortest
