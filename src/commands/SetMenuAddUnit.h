// The properties of one menu node: its caption and short-cut.
#pragma once

#include "core/CommandRecords.h"
#include "ui/Buttons.h"
#include "ui/Edits.h"
#include "ui/Forms.h"
#include "ui/HotKey.h"

namespace quolin {

class TSetMenuAddForm : public TForm {
public:
  TEdit* Edit_Caption;
  THotKey* HotKey_ShortCut;
  TButton* Button_OK;
  TButton* Button_Cancel;

protected:
  explicit TSetMenuAddForm(TComponent* owner);
};

// Edits the record's caption and short-cut; true, with both stored, on OK.
bool ShowSetMenuAddForm(TQuolin_MenuList& record);

} // namespace quolin
