// The benchmark's own generated inputs, each from a fixed seed: a large dictionary, words of one
// list missing from another, and CR LF LaTeX text with misspellings planted at known places.
#pragma once

#include "core/spell_support/SpellInputs.h"

namespace quolin::spell_support {

// Writes words with CR LF after each; false when the file cannot be written.
bool WriteWords(const std::string& fileName, const std::vector<std::string>& words);

// words topped up to total distinct ones (ignoring case) with new lower-case words of 5 to 12
// letters, each letter drawn after the one before as often as the pair occurs in words;
// shuffled.
std::vector<std::string> MakeBigDictionary(const std::vector<std::string>& words, size_t total,
                                           uint32_t seed);

// count words of from that are not in without (ignoring case), chosen by seed.
std::vector<std::string> PickWordsMissingFrom(const std::vector<std::string>& from,
                                              const std::vector<std::string>& without, size_t count,
                                              uint32_t seed);

struct PlantedWord {
  size_t line;   // from 0
  size_t offset; // byte offset in the line
  std::string word;
};

struct SpellText {
  std::string text; // CR LF after every line
  std::vector<PlantedWord> planted;
};

// About bytes of LaTeX: sections with labels, \cite, \emph, math, URLs, mail addresses, "%"
// comment lines and comments after "\\", a little Japanese; sentences of words drawn with
// weight 1 / (rank + 10) by their place in words, in which about rate of the words other than
// the first are misspellings. Comments hold made-up words that are no misspellings to report.
SpellText MakeSpellText(const std::vector<std::string>& words,
                        const std::vector<Misspelling>& misspellings, size_t bytes, double rate,
                        uint32_t seed);

// Calls line(text, index) for every CR LF line of text.
void ForEachTextLine(std::string_view text,
                     const std::function<void(std::string_view, size_t)>& line);

} // namespace quolin::spell_support
