// Loading a text in pieces on several threads gives the rows a single pass gives, and the
// cutting and the threads themselves.
#include "RecordingView.h"
#include "core/ParallelPieces.h"

#include <gtest/gtest.h>

#include <atomic>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

using namespace quolin;

namespace {

// Every line-end kind, double-byte characters, TABs, delimiters, punctuation the wrap rules
// act on, long words, and lead bytes (alone, or before a line end where a piece is cut).
const std::vector<std::string> kPieces = {"a",
                                          "xyz ",
                                          "word",
                                          "あ",
                                          "漢字",
                                          "\t",
                                          "\r\n",
                                          "\r",
                                          "\n",
                                          "\n\r",
                                          "、",
                                          "。",
                                          "（",
                                          "ｶﾅ",
                                          "{",
                                          "\\",
                                          "表示",
                                          "　",
                                          "\x83",
                                          "\x81\n",
                                          "\n\x81",
                                          "\x9F\r\n",
                                          Repeat("long", 70),
                                          Repeat("漢", 60),
                                          "\x1A"};

std::string RandomText(std::mt19937& random, int fragments) {
  std::string text;
  for (int i = 0; i < fragments; ++i)
    text += kPieces[random() % kPieces.size()];
  return text;
}

// Everything the store and Lines tell of the loaded text.
std::string Describe(RecordingView& view) {
  TEditorScreenStrings& store = view.Store();
  std::string result;
  for (int row = 0; row < store.Count(); ++row) {
    result += Row(store.RowView(row), store.GetRowAttribute(row));
    result += std::to_string(store.GetRowData(row)) + " " + std::to_string(store.LineOfRow(row));
    result += "\n";
  }
  TEditorStrings& lines = view.Lines();
  result += "lines " + std::to_string(lines.Count()) + "\n";
  for (int line = 0; line < lines.Count(); ++line)
    result += std::to_string(lines.LinesToRow(line)) + "|" + lines[line] + "\n";
  return result + "notices " + std::to_string(view.notices.size());
}

struct Loaded {
  std::string single, pieces;
};

// The text loaded once as one piece and once cut into pieces of at least pieceBytes.
Loaded LoadBothWays(const std::string& text, int wrapByte, bool wrap, bool openEnd,
                    size_t pieceBytes, size_t pieces) {
  Loaded loaded;
  for (bool cut : {false, true}) {
    RecordingView view;
    TEditorBracketItem& braces = view.viewInfo.Brackets().Add();
    braces.SetLeftBracket("{");
    braces.SetRightBracket("}");
    view.Store().WrapOption().SetWrapByte(wrapByte);
    view.Store().WrapOption().SetFollowPunctuation(wrapByte % 2 == 0);
    view.Store().SetWordWrap(wrap);
    view.Store().SetLoadPieces(cut ? pieceBytes : text.size() + 1, pieces);
    if (openEnd)
      view.Lines().LoadFromText(text);
    else
      view.Lines().SetText(text);
    EXPECT_EQ(view.Store().InvariantFault(), "");
    (cut ? loaded.pieces : loaded.single) = Describe(view);
  }
  return loaded;
}

TEST(RowStoreLoad, PiecesOnThreadsGiveTheRowsOfOnePass) {
  std::mt19937 random(20261207u);
  for (int round = 0; round < 120; ++round) {
    std::string text = RandomText(random, 40 + static_cast<int>(random() % 400));
    // Wrap columns over the whole range the options take.
    int wrapByte = 20 + static_cast<int>(random() % 181);
    size_t pieceBytes = 8 + random() % 64;
    size_t pieces = 2 + random() % 8;
    ASSERT_GT(CutAfterLineFeeds(text, pieces, pieceBytes).size(), 1u)
        << "round " << round << ": the text is cut";
    for (bool wrap : {true, false}) {
      Loaded loaded = LoadBothWays(text, wrapByte, wrap, round % 2 == 0, pieceBytes, pieces);
      ASSERT_EQ(loaded.pieces, loaded.single)
          << "round " << round << " wrap " << wrap << " at " << wrapByte;
    }
  }
}

TEST(RowStoreLoad, EdgesOfTheTextSurviveTheCut) {
  // A cut falls right behind each line feed: lead bytes before and after it, a final line
  // without line end, a text that ends in a lone CR, and an empty last piece's line; and a
  // text long enough that the store keeps its buffer instead of a copy.
  for (std::string text : {Repeat("ab\x81\n\x81"
                                  "cd\r\n",
                                  40),
                           Repeat("x\r", 60) + "\n", Repeat("表示\n", 50) + "\r", Repeat("\n", 100),
                           Repeat("\x82\xA0", 90) + "\n" + Repeat("y", 300),
                           Repeat("長い行の long words\r\n", 2000) + "end"}) {
    for (int wrapByte : {20, 21, 200}) {
      Loaded loaded = LoadBothWays(text, wrapByte, true, true, 16, 8);
      EXPECT_EQ(loaded.pieces, loaded.single) << wrapByte;
    }
  }
}

// Any stretch read without building the whole text: rows of wrapped and unwrapped lines, cuts
// inside a row and between the CR and LF after it, and reads running past the end.
TEST(RowStoreLoad, CopyTextGivesAStretchOfTheWholeText) {
  // Rows of every short length, whole and cut, around the copy's eight-byte steps.
  std::string lengths;
  for (int length = 0; length <= 20; ++length)
    lengths.append(static_cast<size_t>(length), static_cast<char>('a' + length)).append("\r\n");
  RecordingView shortRows;
  shortRows.Lines().LoadFromText(lengths);
  const std::string whole = shortRows.Lines().Text();
  for (size_t from = 0; from < 40; ++from) {
    std::string copied(whole.size(), '\0');
    copied.resize(shortRows.Lines().CopyText(static_cast<int>(from), copied.size(), copied.data()));
    ASSERT_EQ(copied, whole.substr(from)) << "from " << from;
  }
  std::mt19937 random(7u);
  for (bool wrap : {true, false}) {
    RecordingView view;
    view.Store().WrapOption().SetWrapByte(20);
    view.Store().SetWordWrap(wrap);
    view.Lines().LoadFromText(RandomText(random, 60));
    std::string text = view.Lines().Text();
    auto size = static_cast<int>(text.size());
    for (int offset = -1; offset <= size + 1; ++offset) {
      for (size_t length : {0u, 1u, 2u, 3u, 25u, 1000u}) {
        std::string copied(length, '\0');
        copied.resize(view.Lines().CopyText(offset, length, copied.data()));
        std::string expected =
            offset < 0 || offset > size ? "" : text.substr(static_cast<size_t>(offset), length);
        ASSERT_EQ(copied, expected) << "wrap " << wrap << " at " << offset << " for " << length;
      }
    }
  }
}

// The pieces join back to the text, all but the last end with a line feed, none is below the
// least size and there are no more than asked for.
void ExpectSoundCut(std::string_view text, size_t maxPieces, size_t minBytes, size_t count) {
  std::vector<std::string_view> pieces = CutAfterLineFeeds(text, maxPieces, minBytes);
  ASSERT_EQ(pieces.size(), count) << maxPieces << " pieces of " << minBytes;
  std::string joined;
  for (size_t i = 0; i < pieces.size(); ++i) {
    joined += pieces[i];
    if (i + 1 < pieces.size()) {
      EXPECT_EQ(pieces[i].back(), '\n');
      EXPECT_GE(pieces[i].size(), minBytes);
    }
  }
  EXPECT_EQ(joined, text);
}

TEST(ParallelPieces, CutsFollowLineFeedsAndJoinBackToTheText) {
  std::string text = Repeat("0123456\n", 100); // 800 bytes
  ExpectSoundCut(text, 4, 100, 4);
  ExpectSoundCut(text, 20, 100, 7); // pieces of 104 bytes, the last one longer
  ExpectSoundCut(text, 1, 8, 1);
  // Below twice the least size a text stays whole; at it, it is cut once.
  ExpectSoundCut(std::string_view(text).substr(0, 199), 4, 100, 1);
  ExpectSoundCut(std::string_view(text).substr(0, 200), 4, 100, 2);
  ExpectSoundCut(Repeat("x", 800), 4, 100, 1);        // no line feed
  ExpectSoundCut(Repeat("x", 700) + "\n", 4, 100, 1); // no empty piece after the last one
  ExpectSoundCut(Repeat("x", 250) + "\n" + Repeat("x", 600), 4, 100, 2);
  ExpectSoundCut("", 4, 100, 1);
}

TEST(ParallelPieces, EveryPieceRunsAndAWorkersExceptionReachesTheCaller) {
  std::vector<std::atomic<int>> runs(6);
  RunInParallel(runs.size(), [&](size_t index) { ++runs[index]; });
  for (const std::atomic<int>& count : runs)
    EXPECT_EQ(count, 1);
  std::atomic<int> ended = 0;
  EXPECT_THROW(RunInParallel(5,
                             [&](size_t index) {
                               ++ended;
                               if (index == 1)
                                 throw std::runtime_error("piece 1");
                             }),
               std::runtime_error);
  EXPECT_EQ(ended, 5) << "every thread ended before the exception came through";
}

} // namespace
