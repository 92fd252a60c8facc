#include "core/SectionScan.h"

#include "core/Sjis.h"
#include "core/StringList.h"

#include <algorithm>
#include <cstring>

namespace quolin {

namespace {

constexpr std::string_view TitleMark = "$S";
constexpr char HexDigits[] = "0123456789ABCDEF";
constexpr size_t LineDigits = 8;

// The rest of the line from start up to the suffix (all of it without one).
std::string TitleAfter(std::string_view line, size_t start, std::string_view suffix) {
  size_t end = suffix.empty() ? std::string_view::npos : sjis::FindText(line, suffix, start);
  return std::string(line.substr(start, end == std::string_view::npos ? end : end - start));
}

// The level digit, then the title.
std::string WithLevel(char digit, std::string_view title) {
  std::string entry(1, digit);
  entry.append(title);
  return entry;
}

// Adds each item holding "$S" as a prefix and a suffix; returns how many were added.
int AddPatterns(std::string_view text, std::vector<std::string>& prefixes,
                std::vector<std::string>& suffixes) {
  int added = 0;
  for (const std::string& item : CommaTextItems(text)) {
    size_t mark = item.find(TitleMark);
    if (mark == std::string::npos)
      continue;
    prefixes.push_back(item.substr(0, mark));
    suffixes.push_back(item.substr(mark + TitleMark.size()));
    ++added;
  }
  return added;
}

// A prefix match at pos must end on a character boundary of the line.
bool MatchesAt(std::string_view line, size_t pos, std::string_view text) {
  if (line.compare(pos, text.size(), text) != 0)
    return false;
  size_t end = pos + text.size();
  return end == line.size() || sjis::CharStart(line.substr(pos), text.size()) == text.size();
}

// One walk over the line notes the characters a prefix may start at; each pattern then looks
// at those places only.
class LineMatcher {
public:
  LineMatcher(std::string_view line, const TSectionPatterns& patterns) : line_(line) {
    for (size_t pos = 0; pos < line.size(); pos += sjis::CharLength(line, pos))
      if (patterns.PrefixStarts.test(static_cast<unsigned char>(line[pos])))
        starts_.push_back(pos);
  }
  bool Hopeless(const TSectionPatterns& patterns) const {
    return starts_.empty() && !patterns.EmptyPrefix;
  }
  std::optional<std::string> Match(std::string_view prefix, std::string_view suffix,
                                   std::string_view comment) {
    size_t pos = prefix.empty() ? 0 : Find(prefix);
    if (pos == std::string_view::npos || CommentPos(comment) < pos)
      return std::nullopt;
    return TitleAfter(line_, pos + prefix.size(), suffix);
  }

private:
  std::string_view line_;
  std::vector<size_t> starts_;
  size_t commentPos_ = 0;
  bool commentSearched_ = false;

  size_t Find(std::string_view prefix) const {
    for (size_t pos : starts_)
      if (MatchesAt(line_, pos, prefix))
        return pos;
    return std::string_view::npos;
  }
  size_t CommentPos(std::string_view comment) {
    if (comment.empty())
      return std::string_view::npos;
    if (!commentSearched_) {
      commentPos_ = sjis::FindText(line_, comment);
      commentSearched_ = true;
    }
    return commentPos_;
  }
};

} // namespace

const std::array<const char*, SectionValueCount> SectionValueNames = {
    "Part",        "Chapter",      "Section",     "SubSection", "SubsubSection",
    "Paragraph",   "SubParagraph", "BibSections", "BibGroup"};

const TSectionValues& DefaultSectionValues() {
  static const TSectionValues defaults = {
      "\\part{$S},\\part*{$S}",
      "\\chapter{$S},\\chapter*{$S}",
      "\\section{$S},\\section*{$S}",
      "\\subsection{$S},\\subsection*{$S}",
      "\\subsubsection{$S},\\subsubsection*{$S}",
      "\\paragraph{$S},\\paragraph*{$S}",
      "\\subparagraph{$S},\\subparagraph*{$S}",
      "article,book,booklet,conference,inbook,incollection,inproceedings,manual,"
      "mastersthesis,misc,phdthesis,proceedings,techreport,unpublished",
      "%group{$S}"};
  return defaults;
}

TSectionPatterns CompileSectionPatterns(const TSectionValues& values) {
  TSectionPatterns patterns;
  for (int level = 0; level < SectionLevels; ++level)
    patterns.LevelCounts[static_cast<size_t>(level)] =
        AddPatterns(values[static_cast<size_t>(level)], patterns.Prefixes, patterns.Suffixes);
  AddPatterns(values[svBibGroup], patterns.BibGroupPrefixes, patterns.BibGroupSuffixes);
  for (const std::string& type : CommaTextItems(values[svBibSections]))
    patterns.BibEntryTypes.push_back(sjis::LowerAscii(type));
  std::sort(patterns.BibEntryTypes.begin(), patterns.BibEntryTypes.end());
  for (const std::string& prefix : patterns.Prefixes) {
    if (prefix.empty())
      patterns.EmptyPrefix = true;
    else
      patterns.PrefixStarts.set(static_cast<unsigned char>(prefix[0]));
  }
  return patterns;
}

int SectionLastIndex(const TSectionPatterns& patterns, int viewLevel) {
  int count = 0;
  for (int level = 0; level < std::min(viewLevel, SectionLevels); ++level)
    count += patterns.LevelCounts[static_cast<size_t>(level)];
  return count - 1;
}

size_t FindUncommented(std::string_view line, std::string_view text, std::string_view comment) {
  if (text.empty())
    return std::string_view::npos;
  size_t pos = sjis::FindText(line, text);
  if (pos == std::string_view::npos || comment.empty())
    return pos;
  size_t commentPos = sjis::FindText(line, comment);
  return commentPos < pos ? std::string_view::npos : pos;
}

std::optional<std::string> MatchSectionPattern(std::string_view line, std::string_view prefix,
                                               std::string_view suffix, std::string_view comment) {
  size_t pos = prefix.empty() ? 0 : FindUncommented(line, prefix, comment);
  if (pos == std::string_view::npos)
    return std::nullopt;
  return TitleAfter(line, pos + prefix.size(), suffix);
}

std::optional<std::string> MatchSectionLine(std::string_view line, const TSectionPatterns& patterns,
                                            int lastIndex, std::string_view comment) {
  LineMatcher matcher(line, patterns);
  if (matcher.Hopeless(patterns))
    return std::nullopt;
  size_t count = std::min(static_cast<size_t>(lastIndex + 1), patterns.Prefixes.size());
  for (size_t i = 0, level = 0, levelEnd = 0; i < count; ++i) {
    while (i >= levelEnd)
      levelEnd += static_cast<size_t>(patterns.LevelCounts[level++]);
    if (auto title = matcher.Match(patterns.Prefixes[i], patterns.Suffixes[i], comment))
      return WithLevel(HexDigits[level], *title);
  }
  return std::nullopt;
}

std::optional<std::string> MatchBibEntry(std::string_view line, const TSectionPatterns& patterns) {
  size_t brace = sjis::FindChar(line, '{');
  if (brace != std::string_view::npos && brace > 0) {
    std::string type = sjis::LowerAscii(line.substr(1, brace - 1));
    size_t comma = sjis::FindChar(line, ',', brace + 1);
    if (comma != std::string_view::npos && comma > brace + 1 &&
        std::binary_search(patterns.BibEntryTypes.begin(), patterns.BibEntryTypes.end(), type))
      return WithLevel('1', line.substr(brace + 1, comma - brace - 1));
  }
  for (size_t i = 0; i < patterns.BibGroupPrefixes.size(); ++i)
    if (auto title = MatchSectionPattern(line, patterns.BibGroupPrefixes[i],
                                         patterns.BibGroupSuffixes[i], ""))
      return WithLevel('0', *title);
  return std::nullopt;
}

std::optional<std::vector<std::string>> ScanSections(const TSectionScanInput& input,
                                                     const std::function<bool()>& stopped) {
  std::vector<std::string> entries;
  std::string_view text = input.Text;
  int line = 0;
  for (size_t start = 0; start < text.size(); ++line) {
    if (stopped())
      return std::nullopt;
    const void* found = std::memchr(text.data() + start, '\n', text.size() - start);
    size_t end = found ? static_cast<size_t>(static_cast<const char*>(found) - text.data())
                       : text.size();
    std::string_view row = text.substr(start, end - start);
    if (!row.empty() && row.back() == '\r')
      row.remove_suffix(1);
    start = end + 1;
    auto entry = input.Bib ? MatchBibEntry(row, input.Patterns)
                           : MatchSectionLine(row, input.Patterns, input.LastIndex, input.Comment);
    if (entry)
      entries.push_back(MakeOutlineEntry(line, *entry));
  }
  return entries;
}

std::string MakeOutlineEntry(int line, std::string_view levelAndTitle) {
  std::string entry(LineDigits, '0');
  auto value = static_cast<uint32_t>(line);
  for (size_t i = LineDigits; i-- > 0; value >>= 4)
    entry[i] = HexDigits[value & 0xF];
  entry += levelAndTitle;
  return entry;
}

bool ParseOutlineEntry(std::string_view entry, TOutlineEntry& parsed) {
  if (entry.size() < LineDigits + 1)
    return false;
  auto digit = [](char ch) -> int {
    const char* found = std::strchr(HexDigits, ch);
    return ch && found ? static_cast<int>(found - HexDigits) : -1;
  };
  uint32_t line = 0;
  for (size_t i = 0; i < LineDigits; ++i) {
    int value = digit(entry[i]);
    if (value < 0)
      return false;
    line = line << 4 | static_cast<uint32_t>(value);
  }
  int level = digit(entry[LineDigits]);
  if (level < 0)
    return false;
  parsed.Line = static_cast<int>(line);
  parsed.Level = level;
  parsed.Title = std::string(entry.substr(LineDigits + 1));
  return true;
}

} // namespace quolin
