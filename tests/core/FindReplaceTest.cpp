#include "core/FindReplace.h"
#include "TextOracle.h"
#include "core/TextSearch.h"

#include <gtest/gtest.h>

using namespace quolin;

namespace {

constexpr int kIgnoreCase = sfForward;

struct TReplaceAllResult {
  int Count;
  std::string Text;
  int SelStart;
  int SelLength;

  bool operator==(const TReplaceAllResult&) const = default;
};

void PrintTo(const TReplaceAllResult& result, std::ostream* out) {
  *out << result.Count << " \"" << result.Text << "\" {" << result.SelStart << ", "
       << result.SelLength << "}";
}

TReplaceAllResult ReplaceAll(TStringEditTarget& target, std::string_view search,
                             std::string_view replacement, int flags) {
  int count = TFindSession(target).ReplaceAll(search, replacement, flags);
  return {count, target.Contents(), target.SelStart(), target.SelLength()};
}

TReplaceAllResult ReplaceAllFrom(std::string text, int caret, std::string_view search,
                                 std::string_view replacement, int flags) {
  TStringEditTarget target(std::move(text));
  target.SetSelection(caret, 0);
  return ReplaceAll(target, search, replacement, flags);
}

TEST(FindReplaceLogic, FlagsFromDialogOptions) {
  EXPECT_EQ(SearchFlagsFromDialog({}), sfForward);
  EXPECT_EQ(SearchFlagsFromDialog({false, false, false, false}), 0);
  EXPECT_EQ(SearchFlagsFromDialog({false, true, false, false}), sfMatchCase);
  EXPECT_EQ(SearchFlagsFromDialog({false, false, true, false}), sfWholeWord);
  EXPECT_EQ(SearchFlagsFromDialog({true, true, true, true}),
            sfForward | sfMatchCase | sfWholeWord | sfIgnoreWidth);
}

TEST(FindReplaceLogic, MatchesSelectionFoldsAsFindDoes) {
  // Case ignored: the full-width lower case that find selects for "Ａ" is a match too.
  EXPECT_TRUE(MatchesSelection("ａ", "Ａ", false, false));
  EXPECT_FALSE(MatchesSelection("ａ", "Ａ", true, false));
  EXPECT_TRUE(MatchesSelection("abc", "ABC", false, false));
  EXPECT_FALSE(MatchesSelection("abc", "ABC", true, false));
  EXPECT_TRUE(MatchesSelection("ABC", "ABC", true, false));
  // Half-width kana with its voicing mark equals the voiced full-width kana only with width.
  EXPECT_TRUE(MatchesSelection("ｶﾞ", "ガ", false, true));
  EXPECT_TRUE(MatchesSelection("ｶﾞ", "ガ", true, true));
  EXPECT_FALSE(MatchesSelection("ｶﾞ", "ガ", false, false));
  // Half-width "A" against full-width lower "ａ": width and case both fold.
  EXPECT_TRUE(MatchesSelection("ａ", "A", false, true));
  EXPECT_FALSE(MatchesSelection("ａ", "A", false, false));
  EXPECT_FALSE(MatchesSelection("ａ", "A", true, true));
  // "ア" is 83 41: its trail byte is no "A".
  EXPECT_FALSE(MatchesSelection("ア", "A", false, false));
  EXPECT_FALSE(MatchesSelection("ア", "A", false, true));
  EXPECT_FALSE(MatchesSelection("\x41", "ア", false, true));
  // A match of only a part of the selection, or a longer search, is none.
  EXPECT_FALSE(MatchesSelection("abcd", "abc", false, false));
  EXPECT_FALSE(MatchesSelection("ab", "abc", false, false));
  EXPECT_FALSE(MatchesSelection("", "", false, false));
  EXPECT_FALSE(MatchesSelection("a", "", false, false));
  // The whole-word flag has no say, so a word inside a longer one still matches.
  EXPECT_TRUE(MatchesSelection("ab", "ab", true, false));
}

TEST(FindReplaceLogic, FindInEditorSelectsTheMatch) {
  TStringEditTarget target("one two one");
  target.SetSelection(0, 3);
  EXPECT_EQ(FindInEditor(target, "one", sfForward), 8);
  EXPECT_EQ(target.SelStart(), 8);
  EXPECT_EQ(target.SelLength(), 3);
  EXPECT_EQ(FindInEditor(target, "one", sfForward), -1);
  EXPECT_EQ(target.SelStart(), 8);
  EXPECT_EQ(target.SelLength(), 3);
  EXPECT_EQ(FindInEditor(target, "one", 0), 0);
  EXPECT_EQ(target.SelLength(), 3);
}

TEST(FindReplaceLogic, ReplaceAllCountsAndEnds) {
  EXPECT_EQ(ReplaceAllFrom("abc", 0, "x", "y", kIgnoreCase), (TReplaceAllResult{0, "abc", 0, 0}));
  EXPECT_EQ(ReplaceAllFrom("a-A-a", 0, "a", "b", kIgnoreCase),
            (TReplaceAllResult{3, "b-b-b", 5, 0}));
  EXPECT_EQ(ReplaceAllFrom("a-A-a", 0, "a", "b", kIgnoreCase | sfMatchCase),
            (TReplaceAllResult{2, "b-A-b", 5, 0}));
  // Only from the caret on in the search direction.
  EXPECT_EQ(ReplaceAllFrom("a-a-a", 1, "a", "b", sfForward), (TReplaceAllResult{2, "a-b-b", 5, 0}));
  EXPECT_EQ(ReplaceAllFrom("a-a-a", 3, "a", "b", 0), (TReplaceAllResult{2, "b-b-a", 0, 0}));
  // Search equal to its replacement: each once.
  EXPECT_EQ(ReplaceAllFrom("aXa", 0, "a", "a", sfForward), (TReplaceAllResult{2, "aXa", 3, 0}));
  EXPECT_EQ(ReplaceAllFrom("aXa", 3, "a", "a", 0), (TReplaceAllResult{2, "aXa", 0, 0}));
  // A replacement that holds the search text never finds it again, in both directions.
  EXPECT_EQ(ReplaceAllFrom("aaa", 0, "a", "aa", sfForward), (TReplaceAllResult{3, "aaaaaa", 6, 0}));
  EXPECT_EQ(ReplaceAllFrom("aaa", 3, "a", "aa", 0), (TReplaceAllResult{3, "aaaaaa", 0, 0}));
  // An empty replacement deletes.
  EXPECT_EQ(ReplaceAllFrom("xaxax", 0, "a", "", sfForward), (TReplaceAllResult{2, "xxx", 2, 0}));
  // Width folded as find folds it.
  EXPECT_EQ(ReplaceAllFrom("ｶﾞ-ガ", 0, "ガ", "k", sfForward | sfIgnoreWidth),
            (TReplaceAllResult{2, "k-k", 3, 0}));
}

TEST(FindReplaceLogic, ReplaceAllStartsWithAMatchingSelection) {
  TStringEditTarget target("a-a");
  target.SetSelection(2, 1);
  EXPECT_EQ(ReplaceAll(target, "A", "b", sfForward), (TReplaceAllResult{1, "a-b", 3, 0}));
}

TEST(FindReplaceLogic, ReplaceAllOnReadOnlyCountsNothing) {
  TStringEditTarget target("a-a", true);
  EXPECT_EQ(ReplaceAll(target, "a", "b", sfForward), (TReplaceAllResult{0, "a-a", 2, 1}));
  EXPECT_EQ(target.UpdateDepth(), 0);
}

// Never a copy per match: forward reads windows that reach a little beyond the next match,
// backward one copy of the whole text that follows the replacements.
TEST(FindReplaceLogic, ReplaceAllReadsTheTextAboutOnce) {
  std::string text;
  for (int line = 0; line < 1000; ++line)
    text.append("a").append(static_cast<size_t>(line % 200), 'x').append("\r\n");
  TStringEditTarget forward(text);
  EXPECT_EQ(TFindSession(forward).ReplaceAll("a", "bb", sfForward | sfMatchCase), 1000);
  EXPECT_EQ(forward.TextReads(), 0);
  EXPECT_LE(forward.BytesRead(), 3 * text.size());
  TStringEditTarget backward(text);
  backward.SetSelection(static_cast<int>(text.size()), 0);
  EXPECT_EQ(TFindSession(backward).ReplaceAll("a", "bb", sfMatchCase), 1000);
  EXPECT_EQ(backward.Contents(), forward.Contents());
  EXPECT_EQ(backward.TextReads(), 1);
}

// A target that stores each bare line feed as CR LF, as the editor does: replace all must go on
// from where the target's caret went, or it would find the pattern it just inserted.
class TCrLfTarget : public TStringEditTarget {
public:
  using TStringEditTarget::TStringEditTarget;
  bool ReplaceSelection(std::string_view text) override {
    std::string stored;
    for (char c : text)
      stored += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return TStringEditTarget::ReplaceSelection(stored);
  }
};

TEST(FindReplaceLogic, ReplaceAllGoesOnFromTheTargetsCaretAfterALineBreak) {
  TCrLfTarget target("x-x");
  EXPECT_EQ(ReplaceAll(target, "x", "\nx", sfForward | sfMatchCase),
            (TReplaceAllResult{2, "\r\nx-\r\nx", 7, 0}));
  TCrLfTarget plain("x-x");
  EXPECT_EQ(ReplaceAll(plain, "x", "yx", sfForward | sfMatchCase),
            (TReplaceAllResult{2, "yx-yx", 5, 0}));
}

TEST(FindReplaceLogic, ReplaceStepReplacesOnlyAMatchingSelection) {
  TStringEditTarget target("foo bar foo");
  target.SetSelection(4, 3);
  TFindSession session(target);
  EXPECT_TRUE(session.ReplaceStep("foo", "X", sfForward));
  EXPECT_EQ(target.Contents(), "foo bar foo");
  EXPECT_EQ(target.SelStart(), 8);
  EXPECT_EQ(target.SelLength(), 3);
  EXPECT_FALSE(session.ReplaceStep("foo", "X", sfForward));
  EXPECT_EQ(target.Contents(), "foo bar X");
  EXPECT_EQ(target.SelStart(), 9);
  EXPECT_EQ(target.SelLength(), 0);
}

// The session's copy follows the replacements at one place after another; held to the loop that
// reads the whole text before every search, on texts whose lead-byte runs, voicing marks, blanks
// and word edges meet the replaced text from either side.
TEST(FindReplaceLogic, ReplaceAllAgreesWithReadingTheWholeTextEachTime) {
  int replaced = 0;
  for (uint32_t seed : {11u, 12u, 13u}) {
    texttest::TrialMaker maker(seed);
    std::mt19937 random(seed);
    int failures = 0;
    for (int round = 0; round < 3000 && failures < 5; ++round) {
      std::string text = maker.Text();
      std::string search = maker.Pattern(text);
      // The pattern again at a few places, which may cut a character.
      for (int copies = static_cast<int>(random() % 6); copies > 0; --copies)
        text.insert(random() % (text.size() + 1), search);
      // Replacements that shrink, grow, repeat the pattern or end in a lead byte.
      std::string replacement = maker.Pattern(maker.Text());
      if (random() % 4 == 0)
        replacement = random() % 2 ? search + replacement : "";
      int flags = texttest::FlagsOf(round % 64);
      bool readOnly = random() % 16 == 0;
      TStringEditTarget target(text, readOnly);
      TSearchPos record = maker.Record(text);
      target.SetSelection(record.Start, record.Length);
      TSearchPos selection{target.SelStart(), target.SelLength()};
      // Small reads cut the text at every kind of place.
      constexpr int largestWindows[] = {16, 64, 1 << 16};
      int count =
          TFindSession(target, largestWindows[round % 3]).ReplaceAll(search, replacement, flags);
      texttest::TReplaceOutcome expected =
          texttest::ReferenceReplaceAll(text, selection, search, replacement, flags, readOnly);
      bool agrees = expected.Ended && count == expected.Count &&
                    target.Contents() == expected.Text &&
                    target.SelStart() == expected.Selection.Start &&
                    target.SelLength() == expected.Selection.Length;
      EXPECT_TRUE(agrees) << "seed " << seed << " round " << round << "\ntext "
                          << texttest::Hex(text) << "\nsearch " << texttest::Hex(search)
                          << "\nreplacement " << texttest::Hex(replacement) << "\nflags " << flags
                          << " from {" << selection.Start << ", " << selection.Length << "}\ngot "
                          << count << " " << texttest::Hex(target.Contents()) << "\nnot "
                          << expected.Count << " " << texttest::Hex(expected.Text);
      failures += agrees ? 0 : 1;
      replaced += count > 1 ? 1 : 0;
    }
  }
  // Most trials must replace more than once, or the copy's edits go untested.
  EXPECT_GT(replaced, 1000);
}

} // namespace
