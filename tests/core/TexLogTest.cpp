// The log pane's filter over a TeX log's lines and the line numbers log lines name.
#include "core/TexLog.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace quolin;
using Lines = std::vector<std::string>;

TLogFilterOptions Options(TLogFilter filter, bool nextError = true, bool nextWarning = false) {
  return {filter, {"! "}, {"Label", "Overfull ", "Reference", "Underfull "}, nextError,
          nextWarning};
}

const Lines Log = {"This is pdfTeX",          "! Undefined control sequence.",
                   "l.12 \\foo",               "more",
                   "LaTeX Warning: Reference", "Overfull \\hbox (1pt)",
                   "[]\\OT1/cmr",              "! Missing $ inserted.",
                   "l.20 x",                   "Underfull \\vbox",
                   "end"};

TEST(LogPaneFilter, EachFilterWithTheNextLineOptionsOnAndOff) {
  struct Case {
    TLogFilterOptions options;
    Lines listed;
    int selected;
  };
  const std::vector<Case> cases = {
      {Options(lfAll), Log, 10},
      {Options(lfErrors),
       {"! Undefined control sequence.", "l.12 \\foo", "! Missing $ inserted.", "l.20 x"},
       1},
      {Options(lfErrors, false), {"! Undefined control sequence.", "! Missing $ inserted."}, 0},
      {Options(lfWarnings, false),
       {"! Undefined control sequence.", "Overfull \\hbox (1pt)", "! Missing $ inserted.",
        "Underfull \\vbox"},
       0},
      {Options(lfWarnings, false, true),
       {"! Undefined control sequence.", "Overfull \\hbox (1pt)", "[]\\OT1/cmr",
        "! Missing $ inserted.", "Underfull \\vbox", "end"},
       0},
  };
  for (const Case& c : cases) {
    TLogListing listing = FilterLogLines(Log, c.options);
    EXPECT_EQ(listing.Lines, c.listed) << c.options.Filter;
    EXPECT_EQ(listing.Selected, c.selected) << c.options.Filter;
  }
}

TEST(LogPaneFilter, SelectsTheFirstWarningWithoutErrorsAndNothingWhenEmpty) {
  Lines warnings = {"a", "Overfull x", "Label y", "b"};
  TLogListing listing = FilterLogLines(warnings, Options(lfWarnings, true, true));
  EXPECT_EQ(listing.Lines, (Lines{"Overfull x", "Label y"}));
  EXPECT_EQ(listing.Selected, 1) << "the line after the first warning line";
  listing = FilterLogLines(warnings, Options(lfWarnings));
  EXPECT_EQ(listing.Selected, 0);
  listing = FilterLogLines({"LaTeX Warning: Label x", "plain"}, Options(lfWarnings));
  EXPECT_TRUE(listing.Lines.empty()) << "LaTeX's warnings do not begin with a prefix";
  EXPECT_EQ(listing.Selected, -1);
  EXPECT_EQ(FilterLogLines({}, Options(lfAll)).Selected, -1);
  EXPECT_FALSE(LineStartsWithAny({""}, "anything")) << "an empty prefix matches no line";
  EXPECT_TRUE(LineStartsWithAny({"x", "! "}, "! e"));
}

TEST(LogPaneFilter, EmptyLinesStayWhateverTheLineEnds) {
  // Two line ends in a row are never read as one, unless they are CR then LF.
  for (const char* text : {"a\n\nb", "a\r\n\r\nb", "a\r\rb", "a\n\rb", "a\r\n\nb", "a\r\r\nb"})
    EXPECT_EQ(SplitLogLines(text), (Lines{"a", "", "b"})) << text;
  EXPECT_EQ(SplitLogLines("\n\nb"), (Lines{"", "", "b"}));
  // The final line end adds no empty line; a second one does.
  for (const char* text : {"a\n", "a\r", "a\r\n"})
    EXPECT_EQ(SplitLogLines(text), (Lines{"a"})) << text;
  for (const char* text : {"a\n\n", "a\r\r", "a\n\r"})
    EXPECT_EQ(SplitLogLines(text), (Lines{"a", ""})) << text;
}

TEST(LogPaneFilter, LinesEndAtEveryLineBreakAndNumbersAreRead) {
  EXPECT_EQ(SplitLogLines("a\r\nb\nc\rd"), (Lines{"a", "b", "c", "d"}));
  EXPECT_EQ(SplitLogLines("a\r\n\r\n"), (Lines{"a", ""}));
  struct Case {
    std::string line;
    int number;
  };
  const std::vector<Case> cases = {
      {"l.12 \\foo", 12},     {"l. 7", 7},
      {"lines 12--15", 12},   {"on input line 33.", 33},
      {"in lines  4", 4},     {"no number", -1},
      {"line x", -1},         {"x l.5", -1},
      {"outline 9 lines 3", 3}, {"l.99999999999", 2147483647},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ParseLogLineNumber(c.line), c.number) << c.line;
  EXPECT_EQ(LeadingNumber("  42abc"), 42);
  EXPECT_EQ(LeadingNumber(""), -1);
  EXPECT_EQ(LeadingNumber("-3"), -1);
}

} // namespace
