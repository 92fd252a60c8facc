// The width conversion dialog: converts digits, letters, katakana, the space and 28 symbols of
// the active document between full and half width, over the whole text or the selection. Made
// for each use and shown modally.
#pragma once

#include "ui/Forms.h"

#include <vector>

namespace quolin {

class TButton;
class TComboBox;
class TGroupBox;
class TLabel;

class TConvForm : public TForm {
public:
  TGroupBox *GroupBox1, *GroupBox2;
  TComboBox *CB_Num, *CB_Alpha, *CB_Kata, *CB_Select;
  TLabel* Label_Select;
  TButton *Button1, *Button2;

  void Button1Click(TObject* sender);

protected:
  explicit TConvForm(TComponent* owner);
  void BeforeDestruction() override;

private:
  // The combo of each symbol pair (the space first), in the order of the pair table.
  std::vector<TComboBox*> symbols_;

  void FormShow(TObject* sender);
};

// Shows the dialog once for the active document.
void ShowConvForm();

} // namespace quolin
