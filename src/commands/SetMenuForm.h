// The menu and toolbar editor, made right after the main window; its creation builds the
// generated menus and toolbars.
//
// Stand-in until the editor exists: an empty hidden form.
#pragma once

#include "ui/Forms.h"

namespace quolin {

class TSetMenuForm : public TForm {
protected:
  using TForm::TForm;
};

} // namespace quolin
