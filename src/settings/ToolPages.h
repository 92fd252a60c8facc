// The pages of the five tools (TeX, previewer, printer, MakeIndex, BibTeX). Each holds one
// TFrm_Dde, which edits the program and the call of one tool module; saving a visited page
// gives the main window's tool component the edited module, and the dialog then stores all
// five once.
#pragma once

#include "core/Module.h"
#include "settings/SettingsPage.h"

namespace quolin {

class TFrm_Dde : public TFrame {
public:
  TEdit* Edit_ExeName;
  TButton* Button1;
  TGroupBox* GroupBox_Call;
  TRadioButton* Radio_Dde;
  TRadioButton* Radio_Dos;
  TGroupBox* GroupBox_Dde;
  TEdit* Edit_DdeService;
  TEdit* Edit_DdeTopic;
  TEdit* Edit_DdeMacro;
  TGroupBox* GroupBox_Dos;
  TEdit* Edit_DosOption;
  TCheckBox* Check_DosEnd;

  // The controls from the module; the call kind enables its group.
  void LoadModuleFields(const TModule& module);
  // The controls into the module; the fields they do not show keep their values.
  void SaveModuleFields(TModule& module) const;
  // The edits and labels placed directly on panel take the state; nothing else changes.
  void EnableGroupControls(TControl& panel, bool enabled);
  // Browses for the program; the call kind follows the chosen one.
  void Button1Click(TObject* sender);
  void Radio_DdeClick(TObject* sender);
  void Radio_DosClick(TObject* sender);

protected:
  explicit TFrm_Dde(TComponent* owner);

private:
  void ShowCallKind(bool useDde);
};

class TToolPage : public TSettingsPage {
public:
  TFrm_Dde* Frm_Dde;
  const TModuleType ModuleType;

protected:
  TToolPage(TComponent* owner, TSettingsChanges& changes, int helpContext, TModuleType type);
  void FillControls() override;
  void StoreControls() override;
};

class TFrm_TeX : public TToolPage {
protected:
  TFrm_TeX(TComponent* owner, TSettingsChanges& changes) : TToolPage(owner, changes, 1310, mtTeX) {}
};

class TFrm_View : public TToolPage {
protected:
  TFrm_View(TComponent* owner, TSettingsChanges& changes)
      : TToolPage(owner, changes, 1308, mtPreview) {}
};

class TFrm_Print : public TToolPage {
protected:
  TFrm_Print(TComponent* owner, TSettingsChanges& changes)
      : TToolPage(owner, changes, 1309, mtPrint) {}
};

class TFrm_MakeIdx : public TToolPage {
protected:
  TFrm_MakeIdx(TComponent* owner, TSettingsChanges& changes)
      : TToolPage(owner, changes, 1307, mtMakeIndex) {}
};

class TFrm_Bib : public TToolPage {
protected:
  TFrm_Bib(TComponent* owner, TSettingsChanges& changes)
      : TToolPage(owner, changes, 1301, mtBibTeX) {}
};

} // namespace quolin
