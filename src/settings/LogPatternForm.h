// The list of line beginnings that mark a TeX log's error or warning lines.
#pragma once

#include "ui/Buttons.h"
#include "ui/Edits.h"
#include "ui/Forms.h"

#include <string>

namespace quolin {

class TLogFindSetForm : public TForm {
public:
  TListBox* ListBox1;
  TButton* Button1;
  TButton* Button2;
  TButton* Button3;
  TButton* Button_OK;
  TButton* Button_Cancel;

protected:
  explicit TLogFindSetForm(TComponent* owner);
};

// Edits the comma text of a pattern list; true on OK, with patterns changed.
bool EditLogPatterns(const std::string& caption, std::string& patterns);

} // namespace quolin
