// The add, edit and delete buttons of the settings' string lists: each asks for a line with an
// input query and changes the list box in place. An empty answer changes nothing.
#pragma once

#include "ui/Edits.h"

#include <string>

namespace quolin {

struct TListQuery {
  std::string AddCaption;
  std::string EditCaption;
  std::string Prompt;
  // Answers already in the list, or unchanged ones (case ignored), are not taken.
  bool Unique = false;
};

// The added line becomes the selected one.
void AddListItem(TListBox& list, const TListQuery& query);
// Edits the selected line; nothing without one.
void EditListItem(TListBox& list, const TListQuery& query);
void DeleteListItem(TListBox& list);

} // namespace quolin
