// The heading patterns of the section outline and the scan of a document's text for its
// headings (or a ".bib" file's entries and groups). Window-free: the scan runs on the
// section-update thread over a copy of the text.
//
// An outline entry is a string: 8 hexadecimal digits of the line (from 0), 1 hexadecimal digit
// of the level (1 to 7 for headings; in ".bib" files 1 for an entry, 0 for a group line), then
// the title (a ".bib" entry's title is its key).
//
// Every search for a prefix, suffix, the comment text, "{" or "," steps over double-byte
// characters: "\", "{" and "}" can be second bytes ("表" is 95 5C).
#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quolin {

constexpr int SectionLevels = 7;

// The values of section "Section": the seven heading levels, then "BibSections" and
// "BibGroup". Each is comma text; a pattern is a prefix and a suffix joined by "$S".
enum TSectionValue : int { svPart, svBibSections = SectionLevels, svBibGroup, SectionValueCount };
using TSectionValues = std::array<std::string, SectionValueCount>;
extern const std::array<const char*, SectionValueCount> SectionValueNames;
const TSectionValues& DefaultSectionValues();

struct TSectionPatterns {
  // Level 1's patterns first, then level 2's and so on.
  std::vector<std::string> Prefixes, Suffixes;
  std::array<int, SectionLevels> LevelCounts{};
  // Lower-cased ASCII, sorted.
  std::vector<std::string> BibEntryTypes;
  std::vector<std::string> BibGroupPrefixes, BibGroupSuffixes;
  // The first bytes of the heading prefixes; a line without one of them needs no search.
  std::bitset<256> PrefixStarts;
  bool EmptyPrefix = false;
};

TSectionPatterns CompileSectionPatterns(const TSectionValues& values);

// The last pattern that counts for headings down to viewLevel; -1 below level 1.
int SectionLastIndex(const TSectionPatterns& patterns, int viewLevel);

// The title when the line holds the prefix and no comment text comes before it: the rest after
// the prefix up to the suffix (the whole rest when the suffix is empty or missing).
std::optional<std::string> MatchSectionPattern(std::string_view line, std::string_view prefix,
                                               std::string_view suffix, std::string_view comment);
// The level digit and the title of the first of patterns 0..lastIndex that matches.
std::optional<std::string> MatchSectionLine(std::string_view line, const TSectionPatterns& patterns,
                                            int lastIndex, std::string_view comment);
// "1" + key for an entry line, "0" + title for a group line.
std::optional<std::string> MatchBibEntry(std::string_view line, const TSectionPatterns& patterns);

// The position of text in the line when no comment text comes before it; npos otherwise (also
// for an empty text).
size_t FindUncommented(std::string_view line, std::string_view text, std::string_view comment);

// What one scan needs, copied when it starts: the settings may change meanwhile.
struct TSectionScanInput {
  std::string Text;
  TSectionPatterns Patterns;
  int LastIndex = -1;
  std::string Comment;
  bool Bib = false;
};

// The entries of the text's lines (ended by CR LF or LF); none when stopped answered true
// (asked between lines).
std::optional<std::vector<std::string>> ScanSections(const TSectionScanInput& input,
                                                     const std::function<bool()>& stopped);

struct TOutlineEntry {
  int Line = 0;
  int Level = 0;
  std::string Title;
};
std::string MakeOutlineEntry(int line, std::string_view levelAndTitle);
// False for a string too short or without hexadecimal digits in front.
bool ParseOutlineEntry(std::string_view entry, TOutlineEntry& parsed);

} // namespace quolin
