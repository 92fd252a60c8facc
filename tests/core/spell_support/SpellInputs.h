// Generated inputs for the spell tests and the spell_engine benchmark, each from a fixed seed:
// a large dictionary, words of one list missing from another, misspellings of real words and
// CR LF LaTeX text with misspellings planted at known places.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace quolin::spell_support {

// A small deterministic generator (the same numbers with every standard library).
class SeededRandom {
public:
  explicit SeededRandom(uint32_t seed) : engine_(seed) {}
  // 0 to count - 1.
  size_t Below(size_t count) { return static_cast<size_t>(engine_() % count); }
  // first to last, both included.
  size_t Between(size_t first, size_t last) { return first + Below(last - first + 1); }
  // In [0, 1).
  double Fraction() { return (static_cast<double>(engine_()) + 0.5) / 4294967296.0; }
  bool Chance(double probability) { return Fraction() < probability; }
  template <typename T> void Shuffle(std::vector<T>& items) {
    for (size_t i = items.size(); i > 1; --i)
      std::swap(items[i - 1], items[Below(i)]);
  }

private:
  std::mt19937 engine_;
};

// The lines of a dictionary file, in file order; empty when it cannot be read.
std::vector<std::string> ReadWords(const std::string& fileName);
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

struct Misspelling {
  std::string word;
  std::string source; // the word it was made from
};

// count misspellings of the lower-case words of 5 letters or more in words: two adjacent
// letters swapped, one dropped or one doubled, never the first letter; each kept only when
// missed(misspelling) holds, and each once.
std::vector<Misspelling> MakeMisspellings(const std::vector<std::string>& words, size_t count,
                                          uint32_t seed,
                                          const std::function<bool(const std::string&)>& missed);

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
