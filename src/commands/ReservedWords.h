// The reserved words of the whole program: the main window's list, the data file's copy, the
// default editor options and every open document's views follow each change at once.
#pragma once

#include <string>

namespace quolin {

class TStrings;

// The main window's list takes words, sorted; it is saved and given to the editors. A failed
// save is shown and the new list stays in use all the same; false then.
bool ApplyReserveList(const TStrings& words);
// Adds one whole token of the editor's tokenizer that is not listed yet (letter case counts);
// anything else beeps. True when added.
bool AddReserveWord(const std::string& word);

} // namespace quolin
