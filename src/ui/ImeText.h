// Putting a text into the input method's composition of a control, so that the input method
// offers its conversion (the index dialog fills a word from its reading this way).
#pragma once

#include <string>

namespace quolin {

class TControl;

// Focuses the control when it can take the focus, opens a closed input method, sets text
// (ANSI) as the composition and asks the input method to convert it. True when the composition
// was set, even when the conversion was refused; false for an empty text.
bool SetImeCompositionText(const std::string& text, TControl& control);

} // namespace quolin
