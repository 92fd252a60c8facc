#include "settings/FindUnit.h"

#include "app/DocOps.h"
#include "app/DocUnit.h"
#include "core/TextSearch.h"
#include "settings/EditorTarget.h"
#include "ui/Dialogs.h"

namespace quolin {

int FindInEditor(TEditor& view, std::string_view pattern, int flags) {
  TEditorTarget target(view);
  return FindInEditor(target, pattern, flags);
}

bool FindTextInActiveDoc(const std::string& pattern, bool forward, bool matchCase,
                         bool wholeWord) {
  int flags = (forward ? sfForward : 0) | (matchCase ? sfMatchCase : 0) |
              (wholeWord ? sfWholeWord : 0);
  if (!pattern.empty() && HasDoc()) {
    TDocForm& doc = *ActiveDoc();
    if (FindInEditor(*doc.ActiveEditor, pattern, flags) >= 0) {
      doc.CenterCaretRow(*doc.ActiveEditor);
      return true;
    }
  }
  Beep();
  return false;
}

} // namespace quolin
