// A dictionary file of any bytes: the reader gives its non-empty lines; the word list built
// from them, in one batch and word by word, is ordered, holds each word once, finds every
// word, and reads back from its own text.
#include "core/WordList.h"
#include "fuzz/FuzzSupport.h"

#include <algorithm>
#include <set>

using namespace quolin;

namespace {

int Sign(int value) {
  return (value > 0) - (value < 0);
}

void CheckList(const TSpellWordList& list, const std::vector<std::string>& words) {
  std::span<const std::string> listed = list.Words();
  FUZZ_CHECK(static_cast<int>(listed.size()) == list.Count());
  for (size_t index = 1; index < listed.size(); ++index)
    FUZZ_CHECK(CompareSpellWords(listed[index - 1], listed[index]) < 0);
  std::set<std::string, SpellWordLess> distinct(words.begin(), words.end());
  FUZZ_CHECK(listed.size() == distinct.size());
  for (const std::string& word : words) {
    FUZZ_CHECK(list.Find(word));
    std::span<const std::string> range = list.FirstLetterRange(static_cast<unsigned char>(word[0]));
    FUZZ_CHECK(std::any_of(range.begin(), range.end(), [&](const std::string& other) {
      return CompareSpellWords(other, word) == 0;
    }));
  }
  std::vector<std::string> reread = fuzz::SplitLines(list.Text());
  FUZZ_CHECK(std::equal(listed.begin(), listed.end(), reread.begin(), reread.end()));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::Input input(data, size);
  size_t batch = input.Byte();
  std::string bytes = input.Rest();
  std::vector<std::string> words;
  {
    fuzz::InputFile file(bytes);
    FUZZ_CHECK(ReadDictionaryFile(file.Path(), words));
  }
  std::vector<std::string> lines = fuzz::SplitLines(bytes);
  lines.erase(std::remove(lines.begin(), lines.end(), ""), lines.end());
  FUZZ_CHECK(words == lines);

  TSpellWordList list;
  batch = std::min(batch, words.size());
  list.AddWords({words.begin(), words.begin() + static_cast<ptrdiff_t>(batch)});
  for (size_t index = batch; index < words.size(); ++index)
    list.Add(words[index]);
  CheckList(list, words);
  for (size_t index = 1; index < words.size(); ++index)
    FUZZ_CHECK(Sign(CompareSpellWords(words[index - 1], words[index])) ==
               -Sign(CompareSpellWords(words[index], words[index - 1])));
  return 0;
}
