// The find-and-open browser: made once and then shown or hidden.
//
// Stand-in until the browser exists: it is never made.
#pragma once

#include "ui/Forms.h"

namespace quolin {

class TFindOpenForm : public TForm {
protected:
  using TForm::TForm;
};

// None until first shown.
extern TFindOpenForm* FindOpenForm;

} // namespace quolin
