// TQuolinSpellCheck: checks the English words of TeX text against word-list dictionaries,
// with suffix stripping, and suggests words for those it does not know: spelling variants that
// are words, and dictionary words of similar length and letters. It also adds words to the
// user dictionary and saves it. No user interface; window-free.
#pragma once

#include "core/Persistent.h"
#include "core/WordList.h"

#include <cstdint>
#include <set>
#include <string>
#include <string_view>

namespace quolin {

class TStringList;

// Suggestions as the engine collects them: in the word lists' order, each once.
using TSpellSuggestions = std::set<std::string, SpellWordLess>;

class TQuolinSpellCheck : public TObject {
public:
  std::string MainDic;   // the user dictionary file
  std::string DicFolder; // the folder of the other dictionaries ("*.dic")
  TSpellWordList UserDic;
  TSpellWordList OtherDic;
  int32_t MinWordLen = 3; // shorter tokens are neither checked nor added
  bool SkipWords = false;
  bool SkipAllUpper = true;
  bool SkipTeX = true;
  bool SkipMail = true;
  bool SkipUrl = true;
  bool StripSuffixes = false;
  bool SkipWithDigits = false;
  bool SkipCapitalized = true; // a word whose only capital is its first letter
  bool MainDicOnly = false;    // look words up in the user dictionary only
  std::string Commenter;

  // Rereads both lists. True when the user dictionary existed and was read and every other
  // dictionary was read; a file that cannot be read is skipped.
  bool LoadDictionaries();
  // True when the last load found a user dictionary it could not read: saving would replace
  // the user's words by the few added since, so saves are refused until a load succeeds.
  bool UserDicUnreadable() const { return userDicUnreadable_; }
  // Writes UserDic to MainDic whole or not at all; false when nothing was written.
  bool SaveUserDictionary();

  // The offset of the first token at or after startOffset that is checked and not found, with
  // word and suggestions (when given) set for it; -1, word and suggestions empty, when none.
  int FindMisspelledWord(std::string_view text, int startOffset, TStringList* suggestions,
                         std::string& word);
  // Adds every token of text that a check would look at (no lookup, no digit or capital
  // filter) to UserDic and counts them, words already there too; saves when save is set.
  int AddWordsToUserDictionary(std::string_view text, bool save);
  // suggestion written in the capitalisation of word.
  static std::string MatchWordCase(std::string_view word, std::string_view suggestion);

  bool LookupWord(std::string_view word) const;
  // word in lower case: LookupWord, then, with StripSuffixes, the stems without English
  // endings.
  bool LookupWordStem(std::string_view word) const;
  // Found by LookupWordStem in lower case; when not, and suggestions is given, adds the
  // suggestions to it.
  bool CheckWord(std::string_view word, TStringList* suggestions) const;
  // Not misspelled when shorter than MinWordLen, or in capitals only with skipCaps; otherwise
  // misspelled when CheckWord does not find it. Clears suggestions first.
  bool IsMisspelled(std::string_view word, bool skipCaps, TStringList* suggestions) const;

  // The spelling variants of word from the letter-group pairs, both ways.
  static void AddPhoneticVariants(std::string_view word, TSpellSuggestions& variants);
  // word with occurrences of from replaced by to, in every combination; none when word holds
  // from 7 times or more.
  static void AddReplacements(std::string_view word, std::string_view from, std::string_view to,
                              TSpellSuggestions& variants);
  // The words of the dictionaries with word's first letter that pass IsSimilarWord.
  void AddSimilarWords(std::string_view word, TSpellSuggestions& suggestions) const;
  // Length within a tolerance of word's, and letter and digit counts that differ in few bins.
  static bool IsSimilarWord(std::string_view word, std::string_view candidate);
  // The first character is "A"-"Z" and none from the second to the next-to-last is.
  static bool IsCapitalized(std::string_view word);

private:
  bool userDicUnreadable_ = false;

  // Adds the words of every "*.dic" file of DicFolder but the user dictionary to OtherDic;
  // false when one could not be read.
  bool LoadOtherDictionaries();
};

} // namespace quolin
