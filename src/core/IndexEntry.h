// MakeIndex entries as the index dialog builds them: the entry syntax taken from the arguments
// of the command that opened the dialog, the corrected reading, the entry text and the command
// text that inserts it. Window-free.
#pragma once

#include <string>
#include <string_view>

namespace quolin {

struct TIndexSyntax {
  // What counts as an entry when a document is scanned; "$S" stands for the entry.
  std::string ScanTemplate = "\\index{$S}";
  // What is inserted; "$S" is replaced by the entry.
  std::string InsertTemplate = "\\index{$S}";
  // Between reading and word.
  std::string ReadingMark = "@";
  // Between a referenced entry and the new part.
  std::string SubEntryMark = "!";
  // Before the word of a sub-entry.
  std::string SubEntryPrefix = "---";
};

// The syntax from the arguments of the index command in command (by position; a missing one
// takes its default), the word spelled as command spells it.
void ReadIndexSyntax(std::string_view command, TIndexSyntax& syntax);

// Reading corrections of the dialog.
enum TReadingCorrection : int { rcNone, rcLongToVowel, rcLongRemoved };
// The reading in hiragana, as its sort key with long-vowel marks turned into vowels
// (rcLongToVowel) or removed (rcLongRemoved); any other correction keeps it.
std::string CorrectReading(std::string_view reading, int correction);

// Insert types of the dialog.
enum TIndexInsertType : int { itNew, itReference, itAddToReference };
// The entry for a corrected reading and a word; selectedEntry is the chosen entry of the list,
// empty when none is chosen.
std::string BuildIndexEntry(int insertType, std::string_view reading, std::string_view word,
                            std::string_view selectedEntry, const TIndexSyntax& syntax);

// The command text that inserts entry: every "$S" of the template replaced by the entry, whose
// own "$" are doubled so that the expansion of the command gives them back literally.
std::string IndexInsertCommand(std::string_view insertTemplate, std::string_view entry);

} // namespace quolin
