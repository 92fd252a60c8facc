#include "core/WordList.h"

#include "core/ByteKinds.h"
#include "core/Exceptions.h"
#include "core/Platform.h"
#include "core/Sjis.h"

#include <algorithm>
#include <array>

namespace quolin {

namespace {

constexpr std::array<unsigned char, 256> kFolded = [] {
  std::array<unsigned char, 256> table{};
  for (int byte = 0; byte < 256; ++byte)
    table[static_cast<size_t>(byte)] =
        static_cast<unsigned char>(byte >= 'a' && byte <= 'z' ? byte - 'a' + 'A' : byte);
  return table;
}();

// Added words wait unmerged up to this many, or a sixteenth of the list when that is more.
constexpr size_t kMinPending = 256;

// The first eight bytes of word in the lists' order as one number, missing bytes as 0: most
// comparisons of a sort then need no walk over the words.
uint64_t OrderPrefix(std::string_view word) {
  uint64_t prefix = 0;
  bool trail = false;
  for (size_t i = 0; i < 8; ++i) {
    unsigned char byte = i < word.size() ? static_cast<unsigned char>(word[i]) : 0;
    prefix = prefix << 8 | (trail ? byte : kFolded[byte]);
    trail = !trail && sjis::IsLeadByte(byte);
  }
  return prefix;
}

// Sorts words stably in the lists' order.
void SortWords(std::vector<std::string>& words) {
  struct Key {
    uint64_t prefix;
    size_t index;
  };
  std::vector<Key> keys;
  keys.reserve(words.size());
  for (size_t i = 0; i < words.size(); ++i)
    keys.push_back({OrderPrefix(words[i]), i});
  std::sort(keys.begin(), keys.end(), [&words](const Key& a, const Key& b) {
    if (a.prefix != b.prefix)
      return a.prefix < b.prefix;
    int order = CompareSpellWords(words[a.index], words[b.index]);
    return order != 0 ? order < 0 : a.index < b.index;
  });
  std::vector<std::string> sorted;
  sorted.reserve(words.size());
  for (const Key& key : keys)
    sorted.push_back(std::move(words[key.index]));
  words = std::move(sorted);
}

} // namespace

int CompareSpellWords(std::string_view left, std::string_view right) {
  size_t common = std::min(left.size(), right.size());
  bool trail = false; // the bytes so far are equal, so both are at the same kind of byte
  for (size_t i = 0; i < common; ++i) {
    unsigned char a = static_cast<unsigned char>(left[i]);
    unsigned char b = static_cast<unsigned char>(right[i]);
    if (!trail) {
      a = kFolded[a];
      b = kFolded[b];
    }
    if (a != b)
      return a < b ? -1 : 1;
    trail = !trail && sjis::IsLeadByte(a);
  }
  return left.size() < right.size() ? -1 : left.size() > right.size() ? 1 : 0;
}

bool TSpellWordList::Find(std::string_view word) const {
  return std::binary_search(words_.begin(), words_.end(), word, SpellWordLess()) ||
         (!added_.empty() && added_.find(word) != added_.end());
}

bool TSpellWordList::Add(std::string_view word) {
  if (Find(word))
    return false;
  added_.emplace(word);
  if (added_.size() > std::max(kMinPending, words_.size() / 16))
    Merge();
  return true;
}

void TSpellWordList::AddWords(std::vector<std::string> words) {
  Merge();
  // Stable throughout, so that the first of equal words stays.
  SortWords(words);
  auto middle = static_cast<std::ptrdiff_t>(words_.size());
  words_.insert(words_.end(), std::make_move_iterator(words.begin()),
                std::make_move_iterator(words.end()));
  std::inplace_merge(words_.begin(), words_.begin() + middle, words_.end(), SpellWordLess());
  auto equal = [](const std::string& a, const std::string& b) {
    return CompareSpellWords(a, b) == 0;
  };
  words_.erase(std::unique(words_.begin(), words_.end(), equal), words_.end());
}

void TSpellWordList::Clear() {
  words_.clear();
  added_.clear();
}

void TSpellWordList::Merge() const {
  if (added_.empty())
    return;
  auto middle = static_cast<std::ptrdiff_t>(words_.size());
  words_.reserve(words_.size() + added_.size());
  while (!added_.empty())
    words_.push_back(std::move(added_.extract(added_.begin()).value()));
  std::inplace_merge(words_.begin(), words_.begin() + middle, words_.end(), SpellWordLess());
}

std::span<const std::string> TSpellWordList::Words() const {
  Merge();
  return words_;
}

std::span<const std::string> TSpellWordList::FirstLetterRange(unsigned char first) const {
  Merge();
  unsigned char key = kFolded[first];
  auto begin = std::partition_point(words_.begin(), words_.end(), [key](const std::string& word) {
    return word.empty() || kFolded[static_cast<unsigned char>(word[0])] < key;
  });
  auto end = std::partition_point(begin, words_.end(), [key](const std::string& word) {
    return kFolded[static_cast<unsigned char>(word[0])] == key;
  });
  return {begin, end};
}

std::string TSpellWordList::Text() const {
  Merge();
  std::string text;
  size_t size = 0;
  for (const std::string& word : words_)
    size += word.size() + 2;
  text.reserve(size);
  for (const std::string& word : words_)
    text.append(word).append("\r\n");
  return text;
}

bool TSpellWordList::SaveToFile(const std::string& fileName) const {
  return SaveFileReplacing(fileName, Text());
}

bool ReadDictionaryFile(const std::string& fileName, std::vector<std::string>& words) {
  std::string content;
  try {
    content = ReadFileBytes(fileName);
  } catch (const EFileError&) {
    return false;
  }
  // The lines as a string list's text has them.
  ForEachLine(content, [&words](std::string_view line) {
    if (!line.empty())
      words.emplace_back(line);
  });
  return true;
}

} // namespace quolin
