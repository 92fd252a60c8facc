// The line jump box: moves the active document's caret to a line number and stays open.
// Modeless, made on first use and kept; its command shows it when hidden and closes it when
// shown, its menu items and buttons checked meanwhile.
#pragma once

#include "ui/Forms.h"

namespace quolin {

class TButton;
class TLabel;
class TSpinEdit;

class TJumpForm : public TForm {
public:
  TLabel* Label1;
  TSpinEdit* SpinEdit1;
  TButton* Button1;
  TButton* Button2;
  // The command that opened the box, whose items show it open.
  int CommandId = 0;

  // Moves to the start of the box's line, centred, and focuses the editor.
  void Button1Click();

protected:
  explicit TJumpForm(TComponent* owner);
  void BeforeDestruction() override;
  void DoShow() override;
  void DoClose(TCloseAction& action) override;
  void Activate() override;
};

// None until first shown.
extern TJumpForm* JumpForm;

void ToggleJumpForm(int commandId);

} // namespace quolin
