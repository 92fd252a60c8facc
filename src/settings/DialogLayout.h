// The small dialogs of the settings pages, built in code: a fixed dialog frame centred on the
// main window, push buttons, and the OK and Cancel pair.
#pragma once

#include "ui/Buttons.h"
#include "ui/Forms.h"

namespace quolin {

void SetUpDialog(TForm& form, int width, int height);
TButton* AddDialogButton(TForm& form, const char* name, const char* caption, int left, int top);
// "Button_OK" (default) and "Button_Cancel" side by side from left.
void AddOkCancel(TForm& form, TButton*& ok, TButton*& cancel, int left, int top);

} // namespace quolin
