#include "commands/SetMenuForm.h"

#include "app/TopUnit.h"
#include "commands/ListWindows.h"
#include "commands/MenuBuilder.h"
#include "commands/ToolbarBuilder.h"

namespace quolin {

TSetMenuForm* SetMenuForm = nullptr;

TSetMenuForm::TSetMenuForm(TComponent* owner) : TForm(owner) {
  SetMenuForm = this;
  OnCreate = [this](TObject*) { FormCreate(); };
}

TSetMenuForm::~TSetMenuForm() {
  if (SetMenuForm == this)
    SetMenuForm = nullptr;
}

// For now the editor's start-up without its dialog: the dialog's controls come later.
void TSetMenuForm::FormCreate() {
  if (!TopForm)
    return;
  RebuildUserToolbars();
  MenuTree.LoadLines(TopForm->MenuList);
  RebuildMenus(true);
  UpdateDocumentMenuState(false);
  LoadListWindowState();
}

} // namespace quolin
