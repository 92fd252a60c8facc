#include "ui/MessageBoxes.h"

#include "ui/Application.h"
#include "ui/Dialogs.h"

#include <windows.h>

#include <cstring>
#include <vector>

namespace quolin {

namespace {

struct TIconLetter {
  char letter;
  TMsgDlgType type;
};

constexpr TIconLetter kIconLetters[] = {
    {'W', TMsgDlgType::mtWarning},      {'!', TMsgDlgType::mtWarning},
    {'?', TMsgDlgType::mtConfirmation}, {'Q', TMsgDlgType::mtConfirmation},
    {'E', TMsgDlgType::mtError},        {'X', TMsgDlgType::mtError},
    {'I', TMsgDlgType::mtInformation},  {'C', TMsgDlgType::mtCustom},
};

// Which of the two routines knows a letter, and what each answers for a result (0: none).
struct TButtonLetter {
  char letter;
  TMsgDlgButtons button;
  bool msgBox;
  bool byLetters;
};

constexpr TButtonLetter kButtonLetters[] = {
    {'y', mbYes, true, true},      {'n', mbNo, true, true},        {'o', mbOK, true, true},
    {'c', mbCancel, true, true},   {'a', mbAbort, true, true},     {'r', mbRetry, true, true},
    {'i', mbIgnore, true, true},   {'A', mbAll, true, false},      {'l', mbAll, true, true},
    {'N', mbNoToAll, true, false}, {'Y', mbYesToAll, true, false}, {'h', mbHelp, true, true},
};

struct TResultLetter {
  TModalResult result;
  char msgBox;
  char byLetters;
};

constexpr TResultLetter kResultLetters[] = {
    {mrOk, 'o', 'o'},     {mrCancel, 'c', 'c'}, {mrAbort, 'a', 'a'}, {mrRetry, 'r', 'r'},
    {mrIgnore, 'i', 'i'}, {mrYes, 'y', 'y'},    {mrNo, 'n', 'n'},    {mrAll, 'A', 'l'},
    {mrNoToAll, 'N', 0},  {mrYesToAll, 'Y', 0}, {mrNone, 'e', 'e'},
};

char ShowByLetters(const std::string& text, const std::string& style, bool byLetters) {
  const char* beeps = byLetters ? "B" : "Bb";
  TMsgDlgType type = TMsgDlgType::mtCustom;
  TMsgDlgButtons buttons = 0;
  for (auto letter = style.rbegin(); letter != style.rend(); ++letter) {
    for (const TIconLetter& icon : kIconLetters)
      if (icon.letter == *letter)
        type = icon.type;
    for (const TButtonLetter& button : kButtonLetters)
      if (button.letter == *letter && (byLetters ? button.byLetters : button.msgBox))
        buttons |= button.button;
    if (*letter != '\0' && std::strchr(beeps, *letter))
      Beep();
  }
  if (buttons == 0)
    buttons = mbOK;
  TModalResult result = MessageDlg(text, type, buttons);
  for (const TResultLetter& entry : kResultLetters)
    if (entry.result == result)
      return byLetters ? entry.byLetters : entry.msgBox;
  return 0;
}

} // namespace

char MsgBox(const std::string& text, const std::string& style) {
  return ShowByLetters(text, style, false);
}

char MsgBoxFmt(std::string_view format, const std::vector<FormatArg>& args,
               const std::string& style) {
  return MsgBox(FormatArgs(format, args), style);
}

char MessageBoxByLetters(const std::string& text, const std::string& style) {
  return ShowByLetters(text, style, true);
}

char MessageBoxByLettersFmt(std::string_view format, const std::vector<FormatArg>& args,
                            const std::string& style) {
  return MessageBoxByLetters(FormatArgs(format, args), style);
}

} // namespace quolin
