// TSpellWordList: the words of a spell dictionary, sorted and each once. One comparison serves
// order, lookup and duplicates: bytes, with single-byte "a"-"z" read as "A"-"Z" and the second
// bytes of double-byte characters as they stand. It is the same everywhere (no locale) and
// keeps each first letter's words together. Window-free.
#pragma once

#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quolin {

// <0, 0, >0 in the word lists' order.
int CompareSpellWords(std::string_view left, std::string_view right);

struct SpellWordLess {
  using is_transparent = void;
  bool operator()(std::string_view left, std::string_view right) const {
    return CompareSpellWords(left, right) < 0;
  }
};

class TSpellWordList {
public:
  int Count() const { return static_cast<int>(words_.size() + added_.size()); }
  bool Find(std::string_view word) const;
  // Adds word unless an equal one is there (the first stays); true when added.
  bool Add(std::string_view word);
  // Adds many words at once: appended, sorted once, equal neighbours dropped (the words
  // already in the list, then the earlier of words, stay).
  void AddWords(std::vector<std::string> words);
  void Clear();

  // Every word, in order; valid until the list changes.
  std::span<const std::string> Words() const;
  // The words whose first byte equals first, "a"-"z" and "A"-"Z" alike; valid until the list
  // changes.
  std::span<const std::string> FirstLetterRange(unsigned char first) const;

  // Every word followed by CR LF.
  std::string Text() const;
  // Writes Text() through a temporary file (the old file stays when writing fails).
  bool SaveToFile(const std::string& fileName) const;

private:
  // Sorted and unique; single adds wait in added_ until an ordered read or their number calls
  // for a merge, so that adding words one by one costs no move of the whole list each.
  mutable std::vector<std::string> words_;
  mutable std::set<std::string, SpellWordLess> added_;

  void Merge() const;
};

// Appends the non-empty lines of a dictionary file (lines end at CR LF, CR or LF; words are
// not trimmed) to words; false when the file cannot be read (words unchanged).
bool ReadDictionaryFile(const std::string& fileName, std::vector<std::string>& words);

} // namespace quolin
