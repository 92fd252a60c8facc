// The pages of the five tools (TeX, previewer, printer, MakeIndex, BibTeX). They carry their
// help contexts and the page protocol; their controls come with the tool settings.
#pragma once

#include "settings/SettingsPage.h"

namespace quolin {

// Saving any tool page has the host store the five tool modules.
class TToolPage : public TSettingsPage {
protected:
  using TSettingsPage::TSettingsPage;
  void StoreControls() override { Changes.ModulesChanged = true; }
};

class TFrm_TeX : public TToolPage {
protected:
  TFrm_TeX(TComponent* owner, TSettingsChanges& changes) : TToolPage(owner, changes, 1310) {}
};

class TFrm_View : public TToolPage {
protected:
  TFrm_View(TComponent* owner, TSettingsChanges& changes) : TToolPage(owner, changes, 1308) {}
};

class TFrm_Print : public TToolPage {
protected:
  TFrm_Print(TComponent* owner, TSettingsChanges& changes) : TToolPage(owner, changes, 1309) {}
};

class TFrm_MakeIdx : public TToolPage {
protected:
  TFrm_MakeIdx(TComponent* owner, TSettingsChanges& changes) : TToolPage(owner, changes, 1307) {}
};

class TFrm_Bib : public TToolPage {
protected:
  TFrm_Bib(TComponent* owner, TSettingsChanges& changes) : TToolPage(owner, changes, 1301) {}
};

} // namespace quolin
