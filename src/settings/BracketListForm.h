// The automatic bracket list: each line is the typed character and the text inserted for it.
// The list is edited in a list view and stored at once on OK.
#pragma once

#include "ui/Buttons.h"
#include "ui/Edits.h"
#include "ui/Forms.h"
#include "ui/ListView.h"

#include <string>
#include <vector>

namespace quolin {

// One line: the character, and the text that follows it.
class TKakkoAddForm : public TForm {
public:
  TEdit* Edit1;
  TEdit* Edit2;
  TButton* Button_OK;
  TButton* Button_Cancel;

protected:
  explicit TKakkoAddForm(TComponent* owner);

private:
  void EditsChanged();
};

class TKakkoForm : public TForm {
public:
  TListView* ListView1;
  TButton* Button1;
  TButton* Button2;
  TButton* Button3;
  TButton* Button_OK;
  TButton* Button_Cancel;

  // The lines shown, in order.
  std::vector<std::string> Lines;
  void ShowLines();

protected:
  explicit TKakkoForm(TComponent* owner);

private:
  void AddLine();
  void EditLine();
  void DeleteLine();
};

// Asks for a line, starting from line; true on OK with line replaced.
bool ShowKakkoAddForm(const std::string& caption, std::string& line);
// Edits the main window's bracket list; on OK it is replaced, its openers rebuilt and stored.
void ShowKakkoForm();

} // namespace quolin
