// The spell settings form of the spell-check window: the settings dialog's spell page with OK
// and Cancel, made once and kept.
#pragma once

#include "settings/SettingsPage.h"
#include "ui/Forms.h"

namespace quolin {

class TButton;
class TFrm_SpellCheck;

class TSpellSetForm : public TForm {
public:
  TFrm_SpellCheck* Frm_SpellCheck;
  TButton* Button_OK;
  TButton* Button_Cancel;
  // Nothing here applies them: the spell page changes neither the editors nor the tools.
  TSettingsChanges Changes;

protected:
  explicit TSpellSetForm(TComponent* owner);
  ~TSpellSetForm() override;
};

// Made by ShowSpellSetForm; freed with the application.
extern TSpellSetForm* SpellSetForm;

// The page loads the settings, the form is shown modally, and the page saves them on OK or
// cancels; true on OK.
bool ShowSpellSetForm();

} // namespace quolin
