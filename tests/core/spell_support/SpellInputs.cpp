#include "core/spell_support/SpellInputs.h"

#include "core/Platform.h"
#include "core/Sjis.h"
#include "core/WordList.h"

#include <algorithm>
#include <unordered_set>

namespace quolin::spell_support {

bool IsLowerWord(std::string_view word) {
  return std::all_of(word.begin(), word.end(),
                     [](char byte) { return byte >= 'a' && byte <= 'z'; });
}

std::vector<std::string> ReadWords(const std::string& fileName) {
  std::vector<std::string> words;
  ReadDictionaryFile(fileName, words);
  return words;
}

std::vector<Misspelling> MakeMisspellings(const std::vector<std::string>& words, size_t count,
                                          uint32_t seed,
                                          const std::function<bool(const std::string&)>& missed) {
  std::vector<const std::string*> sources;
  for (const std::string& word : words) {
    if (word.size() >= 5 && IsLowerWord(word))
      sources.push_back(&word);
  }
  std::vector<Misspelling> result;
  if (sources.empty())
    return result;
  std::unordered_set<std::string> tried;
  SeededRandom random(seed);
  for (size_t attempts = 0; result.size() < count && attempts < count * 100; ++attempts) {
    const std::string& source = *sources[random.Below(sources.size())];
    std::string word = source;
    switch (random.Below(3)) {
    case 0: {
      size_t at = random.Between(1, source.size() - 2);
      std::swap(word[at], word[at + 1]);
      break;
    }
    case 1:
      word.erase(random.Between(1, source.size() - 1), 1);
      break;
    default: {
      size_t at = random.Between(1, source.size() - 1);
      word.insert(at, 1, word[at]);
      break;
    }
    }
    if (word != source && tried.insert(word).second && missed(word))
      result.push_back({word, source});
  }
  return result;
}

} // namespace quolin::spell_support
