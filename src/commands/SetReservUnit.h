// The reserved-word list editor: the words in a list box, added, edited and deleted through
// input boxes, found by their beginning, imported from and exported to "*.lst" files. OK hands
// the list to the whole program.
#pragma once

#include "ui/Buttons.h"
#include "ui/Edits.h"
#include "ui/Forms.h"

namespace quolin {

class TSetReservForm : public TForm {
public:
  TListBox* ListBox1;
  TEdit* Edit1;
  TButton* Button_Add;
  TButton* Button_Edit;
  TButton* Button_Delete;
  TButton* Button_Import;
  TButton* Button_Export;
  TButton* Button_OK;
  TButton* Button_Cancel;

protected:
  explicit TSetReservForm(TComponent* owner);

private:
  void AddWord();
  void EditWord();
  void DeleteWord();
  void MoveToText();
  void ImportWords();
  void ExportWords();
};

// Made once for the main window and kept; filled from the main window's list each time.
void ShowSetReservForm();

} // namespace quolin
