#include "core/TemplateMatch.h"

#include "core/Sjis.h"
#include "core/StringList.h"

namespace quolin {

namespace {

constexpr std::string_view SelectionMark = "$S";

// Finds of one mark in one text from rising positions. A mark found at or after the new
// position is still the first there, so the text is searched once however many finds ask.
class MarkFinder {
public:
  MarkFinder(std::string_view text, std::string_view mark) : text_(text), mark_(mark) {}

  // Position of the mark at or after pos (no lower than the last pos); npos for an empty mark.
  size_t From(size_t pos) {
    if (mark_.empty())
      return std::string_view::npos;
    if (!searched_ || (found_ != std::string_view::npos && found_ < pos))
      found_ = sjis::FindText(text_, mark_, pos);
    searched_ = true;
    return found_;
  }

private:
  std::string_view text_;
  std::string_view mark_;
  bool searched_ = false;
  size_t found_ = std::string_view::npos;
};

bool FindBetween(std::string_view text, size_t pos, MarkFinder& stop, std::string_view startMark,
                 std::string_view endMark, std::string& found, size_t& next) {
  if (startMark.empty() || endMark.empty())
    return false;
  size_t start = sjis::FindText(text, startMark, pos);
  if (start == std::string_view::npos || stop.From(pos) < start)
    return false;
  size_t inner = start + startMark.size();
  size_t end = sjis::FindText(text, endMark, inner);
  if (end == std::string_view::npos)
    return false;
  if (stop.From(inner) < end)
    return false;
  found = text.substr(inner, end - inner);
  next = end + endMark.size();
  return true;
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
  MarkFinder stop(text, stopMark);
  return FindBetween(text, pos, stop, startMark, endMark, found, next);
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
    MarkFinder stop(line, stopMark);
    std::string found;
    for (size_t pos = 0; FindBetween(line, pos, stop, before, after, found, pos);) {
      result.Add(found);
      ++count;
    }
  }
  return count;
}

} // namespace quolin
