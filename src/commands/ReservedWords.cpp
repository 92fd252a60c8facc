#include "commands/ReservedWords.h"

#include "app/DocOps.h"
#include "app/DocUnit.h"
#include "app/TopUnit.h"
#include "commands/TopFormData.h"
#include "core/ReserveWordList.h"
#include "editor/EditorProps.h"
#include "ui/Dialogs.h"

namespace quolin {

namespace {

// The main list as it stands now, sorted, saved and in every editor.
bool SortSaveAndSpread() {
  SortReserveList(TopForm->ReserveList);
  bool saved = SaveReserveList();
  TopForm->EditorProp1->SetReserveWordList(TopForm->ReserveList);
  for (int i = 0; i < DocCount(); ++i)
    for (TEditor* view : {DocAt(i)->Editor1, DocAt(i)->Editor2})
      view->SetReserveWordList(TopForm->EditorProp1->ReserveWordList());
  return saved;
}

} // namespace

bool ApplyReserveList(const TStrings& words) {
  TopForm->ReserveList.Assign(words);
  return SortSaveAndSpread();
}

bool AddReserveWord(const std::string& word) {
  if (!IsSingleToken(word) || IsListedWord(TopForm->ReserveList, word)) {
    Beep();
    return false;
  }
  TopForm->ReserveList.Add(word);
  SortSaveAndSpread();
  return true;
}

} // namespace quolin
