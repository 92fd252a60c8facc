// The table and matrix dialog: the shape of a tabular or array block (rows, columns, rules,
// alignment, cell separator) and the placement of a table or figure float.
#pragma once

#include "core/TabParams.h"
#include "ui/Forms.h"

namespace quolin {

class TButton;
class TCheckBox;
class TCheckListBox;
class TGroupBox;
class TLabel;
class TPageControl;
class TRadioButton;
class TSpinEdit;
class TTabSheet;

class TTabForm : public TForm {
public:
  // The controls take the record; newShape shows the row/column group, else the separator group.
  void LoadParams(const TTabParams& params, bool newShape);
  // What the user chose, into the record (its use switches stay).
  void SaveParams(TTabParams& params) const;

protected:
  explicit TTabForm(TComponent* owner);
  void AfterShow() override;

private:
  TPageControl* PageControl1;
  TTabSheet *TabSheet1, *TabSheet2;
  TGroupBox *GroupBox1, *GroupBox2, *GroupBox3, *GroupBox4;
  TLabel *Label1, *Label2, *Label3;
  TSpinEdit *SpinEdit1, *SpinEdit2;
  TCheckBox *CheckBox1, *CheckBox2, *CheckBox3;
  TRadioButton *RadioButton1, *RadioButton2, *RadioButton3;
  TRadioButton *RadioButton4, *RadioButton5, *RadioButton6;
  TCheckListBox* CheckListBox1;
  TButton *Button1, *Button2, *Button3, *Button4;

  void BuildShapePage();
  void BuildPlacementPage();
  void BuildButtons();
  void EnableGroup(TGroupBox* group, bool enabled);
  void LoadPlacement(const std::string& placement);
  void PlacementChecked();
  // Moves the selected placement item by one place, keeping it selected and checked as it was.
  void MoveSelected(int step);
  void SpinKeyPress(char& key);
};

// Shows the dialog for one call; true with OK, and params then hold the choice.
bool ShowTabForm(TTabParams& params, bool newShape);

} // namespace quolin
