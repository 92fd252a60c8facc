// The view page: colours, styles, fonts and marks, previewed live in a sample editor, an
// outline tree and a log list.
#pragma once

#include "settings/SettingsPage.h"
#include "ui/CommonDialogs.h"
#include "ui/SpinEdit.h"
#include "ui/TreeView.h"

namespace quolin {

class TEditor;

class TFrm_SetView : public TSettingsPage {
public:
  TListBox* List_Marks1;
  TPanel* Panel_FGColor1;
  TPanel* Panel_BGColor1;
  TButton* Button_FGColor1;
  TButton* Button_BGColor1;
  TButton* Button_ColorOr1;
  TCheckBox* CB_Bold1;
  TCheckBox* CB_Italic1;
  TCheckBox* CB_UnderLine1;
  TEditor* Editor1;
  TPanel* Panel_MainColor1;
  TTreeView* TreeView1;
  TListBox* ListBox1;
  TLabel* Label_Font1;
  TLabel* Label_Size1;
  TButton* Button_Font1;
  TCheckBox* CB_MarkEof1;
  TCheckBox* CB_MarkRet1;
  TCheckBox* CB_MarkLine1;
  TCheckBox* CB_MarkUrl1;
  TCheckBox* CB_MarkMail1;
  TSpinEdit* SpinEdit_Line1;
  TSpinEdit* SpinEdit_Char1;
  TCheckBox* CB_MarkTab1;
  TCheckBox* CB_MarkSp1;
  TCheckBox* CB_MarkDBSp1;
  TColorDialog* ColorDialog1;
  TFontDialog* FontDialog1;

  // The panels' colours and the style boxes into the chosen category's target.
  void ApplySampleColor();
  // Shows a category's colours and styles; the sample's selection stays.
  void SelectCategory(int index);

protected:
  TFrm_SetView(TComponent* owner, TSettingsChanges& changes);
  void FillControls() override;
  void StoreControls() override;

private:
  void CreateColorControls();
  void CreatePreviews();
  void CreateFontAndMarkControls();
  void ListClicked();
  void SampleClicked();
  void ChooseColor(TPanel& panel);
  void SwapColors();
  void ChooseFont();
  void ShowFontLabels();
  void MarkChanged(TControl& control);
  void SampleDrawLine(const std::string& lineStr, int x, int y, const RECT& rect, bool selected);
  void StoreTreeLook();
};

} // namespace quolin
