// Option sets for the tests of TEditorProp: one that differs from the defaults in every
// option, and a property-by-property comparison that walks the option tables without the
// stream code.
#pragma once

#include "editor/EditorProps.h"

#include <string>
#include <vector>

namespace editortest {

// Brackets with colours and styles, a 500-word list, a Japanese font name, system, named and
// RGB colours, cursors by name and number, a long string, and every other property changed.
void FillRichProp(quolin::TEditorProp& prop);
// One line for every published property that differs ("Caret.SoftTab: 1 / 0").
std::vector<std::string> PropDifferences(const quolin::TEditorProp& left,
                                         const quolin::TEditorProp& right);
// The names of the published properties that are equal in both ("Caret.SoftTab").
std::vector<std::string> PropSameValues(const quolin::TEditorProp& left,
                                        const quolin::TEditorProp& right);

} // namespace editortest
