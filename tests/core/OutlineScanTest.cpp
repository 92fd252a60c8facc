// The outline's heading patterns and the scan of a text for its entries.
#include "core/SectionScan.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

using namespace quolin;

const TSectionPatterns& Defaults() {
  static const TSectionPatterns patterns = CompileSectionPatterns(DefaultSectionValues());
  return patterns;
}

std::vector<std::string> Scan(const std::string& text, int viewLevel = 7, bool bib = false,
                              const TSectionPatterns& patterns = Defaults()) {
  TSectionScanInput input{text, patterns, SectionLastIndex(patterns, viewLevel), "%", bib};
  return ScanSections(input, [] { return false; }).value();
}

TEST(OutlinePattern, CompilesTheDefaultsAndSkipsItemsWithoutTheTitleMark) {
  EXPECT_EQ(Defaults().Prefixes.size(), 14u);
  EXPECT_EQ(Defaults().Prefixes[5], "\\section*{");
  EXPECT_EQ(Defaults().Suffixes[5], "}");
  EXPECT_EQ(Defaults().LevelCounts[2], 2);
  EXPECT_EQ(Defaults().BibEntryTypes.size(), 14u);
  EXPECT_EQ(SectionLastIndex(Defaults(), 3), 5);
  EXPECT_EQ(SectionLastIndex(Defaults(), 0), -1);

  TSectionValues values = DefaultSectionValues();
  values[1] = "\\chap{$S},nomark,\"\\my chapter{$S}\" \\x{$S}";
  values[svBibGroup] = "";
  TSectionPatterns patterns = CompileSectionPatterns(values);
  EXPECT_EQ(patterns.LevelCounts[1], 3) << "a quoted item keeps its blank, an unquoted one ends";
  EXPECT_EQ(patterns.Prefixes[3], "\\my chapter{");
  EXPECT_EQ(patterns.Prefixes[4], "\\x{");
  EXPECT_TRUE(patterns.BibGroupPrefixes.empty());
}

TEST(OutlinePattern, MatchesLinesAsThePatternsSay) {
  struct Case {
    std::string line;
    int viewLevel;
    std::optional<std::string> entry;
  };
  const std::vector<Case> cases = {
      {"\\section{Intro}", 7, "3Intro"},
      {"\\section*{Starred} more", 7, "3Starred"},
      {"  \\chapter{A}{B}", 7, "2A"},
      {"% \\section{Commented}", 7, std::nullopt},
      {"\\section{Kept} % comment after", 7, "3Kept"},
      {"\\subsection{Deep}", 3, std::nullopt},
      {"\\subsection{Deep}", 4, "4Deep"},
      {"\\section{No end", 7, "3No end"},
      {"\\subparagraph{Seven}", 7, "7Seven"},
      {"\\section{x}", 0, std::nullopt},
      // 表 is 95 5C: its second byte is no "\".
      {"\x95\\section{t}", 7, std::nullopt},
      {"\x95\\\\section{t\x95}}", 7, "3t\x95}"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(MatchSectionLine(c.line, Defaults(), SectionLastIndex(Defaults(), c.viewLevel), "%"),
              c.entry)
        << c.line;
  EXPECT_EQ(MatchSectionPattern("ab", "", "", "%"), "ab") << "an empty prefix takes the line";
  EXPECT_EQ(MatchSectionPattern("x % \\y{z}", "\\y{", "}", ""), "z") << "no comment test";
  EXPECT_EQ(FindUncommented("% \\end{document}", "\\end{document}", "%"), std::string::npos);
  EXPECT_EQ(FindUncommented("\\end{document}", "", "%"), std::string::npos);
}

TEST(OutlinePattern, BibLinesGiveEntriesByKeyAndGroups) {
  struct Case {
    std::string line;
    std::optional<std::string> entry;
  };
  const std::vector<Case> cases = {
      {"@article{knuth84,", "1knuth84"},
      {"@ARTICLE{Key,title={x}}", "1Key"},
      {"@string{jgr = \"J. Geophys. Res.\"}", std::nullopt},
      {"@book{,", std::nullopt},
      {"@book{nokey", std::nullopt},
      {"%group{Papers}", "0Papers"},
      {"@misc\x95{x,", std::nullopt},
      {"{article,x", std::nullopt},
  };
  for (const Case& c : cases)
    EXPECT_EQ(MatchBibEntry(c.line, Defaults()), c.entry) << c.line;
}

TEST(OutlinePattern, ScansLinesIntoEntriesAndStopsWhenAsked) {
  std::string text = "\\documentclass{book}\r\n\\chapter{One}\r\ntext\r\n\\section{Two}\n"
                     "% \\section{No}\r\n\\section*{Three}";
  EXPECT_EQ(Scan(text), (std::vector<std::string>{"000000012One", "000000033Two",
                                                  "000000053Three"}));
  EXPECT_EQ(Scan(text, 2), (std::vector<std::string>{"000000012One"}));
  EXPECT_EQ(Scan("x\r\n@book{b1,\r\n%group{G}\r\n", 7, true),
            (std::vector<std::string>{"000000011b1", "000000020G"}));
  TSectionScanInput input{text, Defaults(), 13, "%", false};
  int asked = 0;
  EXPECT_FALSE(ScanSections(input, [&] { return ++asked > 2; }));
  EXPECT_EQ(asked, 3) << "asked between lines";

  TOutlineEntry entry;
  ASSERT_TRUE(ParseOutlineEntry(MakeOutlineEntry(0x12AB, "3T"), entry));
  EXPECT_EQ(entry.Line, 0x12AB);
  EXPECT_EQ(entry.Level, 3);
  EXPECT_EQ(entry.Title, "T");
  EXPECT_FALSE(ParseOutlineEntry("0000001", entry));
  EXPECT_FALSE(ParseOutlineEntry("0000000G1x", entry));
}

} // namespace
