// The layer's message dialog (a modal form with an icon, the text and a row of buttons) and its
// input query (a prompt, an edit, OK and Cancel). Test hooks can stand in for both dialogs and
// for the beep.
#pragma once

#include "ui/Types.h"

#include <cstdint>
#include <functional>
#include <string>

namespace quolin {

enum class TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };

// Buttons of the dialog; they always appear in this order.
using TMsgDlgButtons = uint16_t;
enum : TMsgDlgButtons {
  mbYes = 1,
  mbNo = 2,
  mbOK = 4,
  mbCancel = 8,
  mbAbort = 16,
  mbRetry = 32,
  mbIgnore = 64,
  mbAll = 128,
  mbNoToAll = 256,
  mbYesToAll = 512,
  mbHelp = 1024
};

struct TDialogHook {
  // Given text, icon and buttons, returns the button pressed (mrNone: closed without one).
  std::function<TModalResult(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons)>
      Dialog;
  std::function<void()> Beep;
};

// Replaces the dialog and the beep while set; an empty hook restores them.
void SetDialogHook(TDialogHook hook);

// Shows the dialog centred on the screen, owned by the active form; stay-on-top forms lose
// their place on top meanwhile. The result is the pressed button's modal result, mrNone when
// the box was closed without one (close button, or Escape without Cancel, No or OK).
TModalResult MessageDlg(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons);

// The platform's default message beep.
void Beep();

// Asks for a line of text on a modal form made for the call, centred on the screen and owned by
// the active form: the prompt above an edit that holds value selected, "OK" and "キャンセル".
// True on OK, with the edit's text in value; Cancel, Escape and the close box answer false and
// keep value.
bool InputQuery(const std::string& caption, const std::string& prompt, std::string& value);
// The answer on OK, else defaultValue: a caller that must tell Cancel from an unchanged answer
// uses InputQuery.
std::string InputBox(const std::string& caption, const std::string& prompt,
                     const std::string& defaultValue);

// Stands in for the input query's form while set: given the caption, the prompt and the value
// to show, it answers whether OK was pressed and, if so, puts the answer into value. An empty
// function restores the form.
using TInputQueryHook =
    std::function<bool(const std::string& caption, const std::string& prompt, std::string& value)>;
void SetInputQueryHook(TInputQueryHook hook);

} // namespace quolin
