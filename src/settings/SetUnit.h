// The modal settings dialog: eleven sheets, each holding one settings page. A page is filled on
// its first visit; OK saves the visited pages in a fixed order and applies what they changed,
// Cancel saves nothing.
#pragma once

#include "settings/SettingsPage.h"
#include "ui/Forms.h"
#include "ui/TabControls.h"

#include <vector>

namespace quolin {

class TFrm_SetView;
class TFrm_SetEdit;
class TFrm_SetEdit2;
class TFrm_SetFile;
class TFrm_SetLogDel;
class TFrm_SpellCheck;
class TFrm_TeX;
class TFrm_View;
class TFrm_Print;
class TFrm_MakeIdx;
class TFrm_Bib;

class TSetForm : public TForm {
public:
  TPageControl* PageControl1;
  TFrm_SetView* Frm_SetView;
  TFrm_SetEdit* Frm_SetEdit;
  TFrm_SetEdit2* Frm_SetEdit2;
  TFrm_SetFile* Frm_SetFile;
  TFrm_SetLogDel* Frm_SetLogDel;
  TFrm_SpellCheck* Frm_SpellCheck;
  TFrm_TeX* Frm_TeX;
  TFrm_View* Frm_View;
  TFrm_Print* Frm_Print;
  TFrm_MakeIdx* Frm_MakeIdx;
  TFrm_Bib* Frm_Bib;
  TButton* Button2;
  TButton* Button_Cancel1;

  TSettingsChanges Changes;

  void FormShow(TObject* sender);
  void PageControl1Change(TObject* sender);
  void Button2Click(TObject* sender);
  void Button_Cancel1Click(TObject* sender);

protected:
  explicit TSetForm(TComponent* owner);

private:
  // The page on each sheet, in tab order.
  std::vector<TSettingsPage*> sheetPages_;

  TSettingsPage* ActivePage() const;
  void EnterActivePage();
  void ApplyModuleChanges();
  void ApplyEditorChanges();
};

// Makes the dialog, shows it modally and frees it.
void ShowSetForm();

} // namespace quolin
