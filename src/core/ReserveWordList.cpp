#include "core/ReserveWordList.h"

#include "core/EditorParser.h"
#include "core/Format.h"
#include "core/Platform.h"
#include "core/StringList.h"

#include <algorithm>

namespace quolin {

void InitReserveWordList(TStringList& list) {
  list.SetSorted(false);
  list.SetCaseSensitive(true);
  list.Duplicates = TDuplicates::dupAccept;
}

void SortReserveList(TStrings& words) {
  std::vector<std::string> sorted;
  sorted.reserve(static_cast<size_t>(words.Count()));
  for (int i = 0; i < words.Count(); ++i)
    sorted.push_back(words[i]);
  std::stable_sort(sorted.begin(), sorted.end(), [](const std::string& a, const std::string& b) {
    return CompareLocale(a, b, true) < 0;
  });
  words.BeginUpdate();
  words.Clear();
  for (const auto& word : sorted)
    words.Add(word);
  words.EndUpdate();
}

bool IsListedWord(const TStrings& words, std::string_view word) {
  for (int i = 0; i < words.Count(); ++i)
    if (words[i] == word)
      return true;
  return false;
}

bool IsSingleToken(std::string_view word) {
  if (word.empty())
    return false;
  TEditorParser parser(word);
  return parser.SourcePos() == 0 && parser.TokenEnd() == static_cast<int>(word.size());
}

int MoveToIndex(const TStrings& words, std::string_view text) {
  if (Trim(text).empty())
    return -1;
  for (int i = 0; i < words.Count(); ++i)
    if (CompareLocale(words[i], text, false) >= 0)
      return i;
  return -1;
}

std::vector<std::string> ReadReserveWordFile(const std::string& fileName) {
  TStringList lines;
  lines.SetText(ReadFileBytes(fileName));
  std::vector<std::string> words;
  for (int i = 0; i < lines.Count(); ++i)
    if (std::string word = Trim(lines[i]); !word.empty())
      words.push_back(std::move(word));
  return words;
}

bool WriteReserveWordFile(const std::string& fileName, const TStrings& words) {
  return SaveFileReplacing(fileName, words.Text());
}

} // namespace quolin
