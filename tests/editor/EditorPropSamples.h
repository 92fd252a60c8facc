// Option sets for the tests of TEditorProp: one that differs from the defaults in every value
// kind the stream knows, and a property-by-property comparison that does not go through the
// stream code.
#pragma once

#include "editor/EditorProps.h"

#include <string>
#include <vector>

namespace editortest {

// Brackets with colours and styles, a 500-word list, a Japanese font name, system and RGB
// colours, cursors by name and number, a long string, and every other property changed.
void FillRichProp(quolin::TEditorProp& prop);
// One line for every published property that differs ("Caret.SoftTab: 1 / 0").
std::vector<std::string> PropDifferences(const quolin::TEditorProp& left,
                                         const quolin::TEditorProp& right);

} // namespace editortest
