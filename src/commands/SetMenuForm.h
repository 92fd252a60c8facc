// The menu and toolbar editor, made right after the main window; its creation builds the
// generated toolbars and menus from the user data.
#pragma once

#include "core/MenuTree.h"
#include "ui/Forms.h"

namespace quolin {

class TSetMenuForm : public TForm {
public:
  // The menus as the user data holds them; the generated menus are built from it.
  TMenuTree MenuTree;

protected:
  explicit TSetMenuForm(TComponent* owner);
  ~TSetMenuForm() override;

private:
  void FormCreate();
};

extern TSetMenuForm* SetMenuForm;

} // namespace quolin
