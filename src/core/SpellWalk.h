// The spell dialog's walk over a document: the engine's settings as one record, the next
// unknown word from a line and offset on, and adding every word of a document. The lines are
// any string list (an editor's lines, or a plain list). Window-free.
#pragma once

#include "core/StringList.h"

#include <optional>
#include <string>

namespace quolin {

class TQuolinSpellCheck;

// What the settings hand the engine before a check; the defaults are the engine's.
struct TSpellEngineSettings {
  std::string MainDic;
  std::string DicFolder;
  bool SkipMail = true;
  bool SkipUrl = true;
  bool SkipAllUpper = true;
  bool SkipCapitalized = true;
  bool SkipWithDigits = false;
  bool StripSuffixes = false;
  bool MainDicOnly = false;
  int MinWordLen = 3;
  std::string Commenter;
};

// Sets everything on the engine. True when the user dictionary or the dictionary folder
// changed (names compared without regard to case): the engine then holds the new pair and its
// dictionaries must be rebuilt.
bool ApplyEngineSettings(TQuolinSpellCheck& engine, const TSpellEngineSettings& settings);

struct TUnknownWord {
  int Line = 0;
  int Offset = 0; // bytes into the line
  std::string Word;
  TStringList Suggestions;
};

// The first word the engine does not know: in line from offset on, then in the following
// lines from their starts, through the last. None when the walk reaches the end.
std::optional<TUnknownWord> FindNextUnknownWord(TQuolinSpellCheck& engine, const TStrings& lines,
                                                int line, int offset);

// Adds the words of every line to the user dictionary, last line to first, without saving;
// the sum of the engine's counts.
int AddAllWords(TQuolinSpellCheck& engine, const TStrings& lines);

} // namespace quolin
