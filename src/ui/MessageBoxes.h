// Letter-coded message boxes: a style string picks the icon, the buttons and beeps, and the
// box answers with the letter of the button pressed.
//
// Style letters of MsgBox (case matters), read from the last to the first, so that the
// leftmost icon letter wins and each beep letter beeps at once:
//   icons   "W" "!" warning, "?" "Q" question, "E" "X" error, "I" information, "C" none
//   buttons "y" Yes, "n" No, "o" OK, "c" Cancel, "a" Abort, "r" Retry, "i" Ignore,
//           "A" "l" All, "N" No to All, "Y" Yes to All, "h" Help (no letter: OK)
//   beep    "B" "b"
// Answers "o" "c" "a" "r" "i" "y" "n" "A" "N" "Y", "e" when closed without a button, else 0.
// MessageBoxByLetters differs: beep "B" only, All "l" only (answering "l"), no "A", "N", "Y".
#pragma once

#include "core/Format.h"

#include <string>
#include <string_view>
#include <vector>

namespace quolin {

char MsgBox(const std::string& text, const std::string& style);
char MsgBoxFmt(std::string_view format, const std::vector<FormatArg>& args,
               const std::string& style);
char MessageBoxByLetters(const std::string& text, const std::string& style);
char MessageBoxByLettersFmt(std::string_view format, const std::vector<FormatArg>& args,
                            const std::string& style);

} // namespace quolin
