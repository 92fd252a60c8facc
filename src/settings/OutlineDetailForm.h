// The outline's heading commands per level, and the entry categories and grouping field of
// its ".bib" mode. OK stores them and has every document rebuild its branch.
#pragma once

#include "ui/Buttons.h"
#include "ui/Edits.h"
#include "ui/Forms.h"

#include <array>

namespace quolin {

class TSetExpForm : public TForm {
public:
  // The seven heading levels, Part first, then the grouping field.
  std::array<TEdit*, 8> Edits{};
  TListBox* ListBox1;
  TButton* Button1;
  TButton* Button2;
  TButton* Button3;
  TButton* Button_OK;
  TButton* Button_Cancel;

  // OK is enabled while every heading level has a command.
  void SectionEditsChanged();

protected:
  explicit TSetExpForm(TComponent* owner);
};

void ShowSetExpForm();

} // namespace quolin
