// The reserved words: the editor's keyword list, kept in the user locale's case-sensitive order
// with duplicates allowed. The lists do not sort themselves; every change ends with
// SortReserveList, since the editor looks words up by binary search. "*.lst" files hold one
// word per line in Shift-JIS.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quolin {

class TStrings;
class TStringList;

// Unsorted by itself, duplicates accepted, case-sensitive.
void InitReserveWordList(TStringList& list);
// The user locale's case-sensitive order; equal words keep their order.
void SortReserveList(TStrings& words);
// Whether the list holds word, letter case counting.
bool IsListedWord(const TStrings& words, std::string_view word);
// Whether the editor's tokenizer reads word as one token.
bool IsSingleToken(std::string_view word);
// The first word not less than text, case ignored by the user locale; -1 for a blank text or
// when every word is less.
int MoveToIndex(const TStrings& words, std::string_view text);

// The trimmed, non-empty lines of the file; raises EFileError when it cannot be read.
std::vector<std::string> ReadReserveWordFile(const std::string& fileName);
// One word a line, CR LF after each; replaces the file only once written whole.
bool WriteReserveWordFile(const std::string& fileName, const TStrings& words);

} // namespace quolin
