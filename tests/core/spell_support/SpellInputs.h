// Generated inputs the spell tests and the spell_engine benchmark share, each from a fixed seed:
// misspellings of real words, and the lines of a dictionary file.
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

// True when word holds only the letters a to z.
bool IsLowerWord(std::string_view word);

// The lines of a dictionary file, in file order; empty when it cannot be read.
std::vector<std::string> ReadWords(const std::string& fileName);

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

} // namespace quolin::spell_support
