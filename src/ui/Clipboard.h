// Plain text on the clipboard, opened on behalf of the application window.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

namespace quolin {

// Puts the text on the clipboard as plain text; an empty text leaves it alone and gives false.
bool SetClipboardText(const std::string& text);
// Empties the clipboard and puts the text (an empty one too) as CF_TEXT and under each of
// alsoAs as a movable block holding the text and its zero, in one opening of the clipboard.
bool PutClipboardText(const std::string& text, std::initializer_list<unsigned> alsoAs = {});
// The clipboard's plain text (CF_TEXT); empty when it holds none or cannot be opened.
std::string GetClipboardText();
// The files of a dropped-file list (CF_HDROP) on the clipboard; none when it holds no list. The
// list stays on the clipboard.
std::vector<std::string> GetClipboardFileNames();

} // namespace quolin
