#include "settings/ListEditing.h"

#include "core/Sjis.h"
#include "ui/Dialogs.h"

namespace quolin {

namespace {

bool Listed(TListBox& list, const std::string& text) {
  for (int i = 0; i < list.Items().Count(); ++i)
    if (sjis::CompareIgnoreAsciiCase(list.Items()[i], text) == 0)
      return true;
  return false;
}

} // namespace

void AddListItem(TListBox& list, const TListQuery& query) {
  std::string answer;
  if (!InputQuery(query.AddCaption, query.Prompt, answer) || answer.empty())
    return;
  if (query.Unique && Listed(list, answer))
    return;
  list.SetItemIndex(list.Items().Add(answer));
}

void EditListItem(TListBox& list, const TListQuery& query) {
  int index = list.ItemIndex();
  if (index < 0)
    return;
  std::string answer = list.Items()[index];
  if (!InputQuery(query.EditCaption, query.Prompt, answer) || answer.empty())
    return;
  if (query.Unique && Listed(list, answer))
    return; // also an unchanged answer, which is listed already
  list.Items().Put(index, answer);
  list.SetItemIndex(index);
}

void DeleteListItem(TListBox& list) {
  int index = list.ItemIndex();
  if (index < 0)
    return;
  list.Items().Delete(index);
}

} // namespace quolin
