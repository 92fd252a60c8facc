#include "core/TemplateMatch.h"

#include "core/Sjis.h"
#include "core/StringList.h"

namespace quolin {

namespace {

constexpr std::string_view SelectionMark = "$S";

// Position of mark at or after pos; npos for an empty mark.
size_t FindMark(std::string_view text, std::string_view mark, size_t pos) {
  return mark.empty() ? std::string_view::npos : sjis::FindText(text, mark, pos);
}

} // namespace

bool SplitTemplateAtMark(std::string_view templateText, std::string& before, std::string& after) {
  size_t mark = sjis::FindText(templateText, SelectionMark);
  if (mark == std::string_view::npos || mark == 0 ||
      mark + SelectionMark.size() >= templateText.size())
    return false;
  before = templateText.substr(0, mark);
  after = templateText.substr(mark + SelectionMark.size());
  return true;
}

bool FindBetweenMarks(std::string_view text, size_t pos, std::string_view stopMark,
                      std::string_view startMark, std::string_view endMark, std::string& found,
                      size_t& next) {
  if (startMark.empty() || endMark.empty())
    return false;
  size_t stop = FindMark(text, stopMark, pos);
  size_t start = sjis::FindText(text, startMark, pos);
  if (start == std::string_view::npos || stop < start)
    return false;
  size_t inner = start + startMark.size();
  size_t end = sjis::FindText(text, endMark, inner);
  if (end == std::string_view::npos)
    return false;
  if (FindMark(text, stopMark, inner) < end)
    return false;
  found = text.substr(inner, end - inner);
  next = end + endMark.size();
  return true;
}

int CollectTemplateMatches(std::string_view templateText, std::string_view stopMark,
                           const TStrings& lines, TStrings& result) {
  std::string before;
  std::string after;
  if (!SplitTemplateAtMark(templateText, before, after))
    return 0;
  int count = 0;
  for (int i = 0; i < lines.Count(); ++i) {
    const std::string line = lines[i];
    std::string found;
    for (size_t pos = 0; FindBetweenMarks(line, pos, stopMark, before, after, found, pos);) {
      result.Add(found);
      ++count;
    }
  }
  return count;
}

} // namespace quolin
