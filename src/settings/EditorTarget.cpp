#include "settings/EditorTarget.h"

#include "editor/EditorControl.h"

namespace quolin {

std::string TEditorTarget::Text() const {
  return view_.Text();
}

int TEditorTarget::ReadText(int start, int length, char* out) const {
  return static_cast<int>(view_.Lines().CopyText(start, static_cast<size_t>(length), out));
}

int TEditorTarget::SelStart() const {
  return view_.SelStart();
}

int TEditorTarget::SelLength() const {
  return view_.Selected() ? view_.SelLength() : 0;
}

void TEditorTarget::SetSelection(int start, int length) {
  view_.SetSelStart(start);
  if (length > 0)
    view_.SetSelLength(length);
}

bool TEditorTarget::ReplaceSelection(std::string_view text) {
  if (view_.ReadOnly())
    return false;
  view_.SetSelText(std::string(text));
  return true;
}

void TEditorTarget::BeginUpdate() {
  view_.Lines().BeginUpdate();
}

void TEditorTarget::EndUpdate() {
  view_.Lines().EndUpdate();
}

bool TEditorTarget::ReadOnly() const {
  return view_.ReadOnly();
}

} // namespace quolin
