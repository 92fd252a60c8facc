// The matcher against a plain reference on random text made of near-matches and traps: letters
// of both widths and cases, kana whose second byte lies in the lead range or is "\" or "A",
// half-width kana with and without voicing marks, blanks, line breaks and lone lead bytes.
#include "TextOracle.h"
#include "core/Format.h"
#include "core/TextSearch.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <vector>

using namespace quolin;
using quolin::texttest::FlagsOf;
using quolin::texttest::Hex;
using quolin::texttest::Reference;

namespace {

// Text pieces chosen to sit close to each other under folding and to trap byte-wise matching.
const std::vector<std::string> kAlphabet = {
    "a",  "A",    "b",  "ａ", "Ａ",       "ゃ", "ア",
    "ソ", "あ",   "か", "ｶ",  "ﾊ",        "ｳ",  "ﾞ",
    "ﾟ",  "･",    "ガ", "．", "・",       " ",  "\t",
    "　", "\r\n", "_",  ".",  "\x82\r\n", "表", std::string(1, '\0')};

// Characters at the edges of the byte ranges: the first and last lead byte of each range (81,
// 9F, E0, FC) with the first and last second bytes (40, 7E, 80, FC), bytes just outside the lead
// ranges, the half-width kana's edges, delimiter edges, lone line ends, and a lead byte before
// a delimiter byte below 40 (no Shift-JIS text holds one, yet it is one character). One piece in
// five is drawn from these.
const std::vector<std::string> kEdgeCharacters = {
    "\x81\x40", "\x9F\x7E", "\xE0\x80", "\xFC\xFC", "\x81\xFC", "\xFC\x40", "\x9F\t",
    "\xE0 ",    "\x80",     "\xA0",     "\xFD",     "\x7F",     "\xA1",     "\xA5",
    "\xA6",     "\xDF",     "\x5C",     "\r",       "\n",       "/",        "0",
    "9",        ":",        "[",        "`",        "{"};

// A pattern character in another width or case, as a user might type it.
std::string Disguised(const std::string& character, std::mt19937& random) {
  static const std::vector<std::pair<std::string, std::string>> kTwins = {
      {"a", "A"},  {"a", "ａ"}, {"A", "Ａ"}, {"ａ", "Ａ"}, {"ｶﾞ", "ガ"}, {"･", "・"},
      {".", "．"}, {" ", "　"}, {"ｶ", "カ"}, {"ﾊﾟ", "パ"}, {"b", "ｂ"}};
  std::vector<std::string> choices = {character};
  for (const auto& [one, other] : kTwins) {
    if (character == one)
      choices.push_back(other);
    if (character == other)
      choices.push_back(one);
  }
  return choices[random() % choices.size()];
}

struct Trial {
  std::string text;
  std::string pattern;
  TSearchPos record;
  int flags;
};

class TrialMaker {
public:
  explicit TrialMaker(uint32_t seed) : random_(seed) {}

  std::string Text() {
    std::string text;
    pieces_.clear();
    for (int count = static_cast<int>(random_() % 40); count > 0; --count) {
      pieces_.push_back(Pick(random_() % 5 == 0 ? kEdgeCharacters : kAlphabet));
      if (pieces_.back() == "ｶ" && random_() % 2)
        pieces_.back() += random_() % 2 ? "ﾞ" : "ﾟ";
      text += pieces_.back();
    }
    if (random_() % 8 == 0)
      text += "\x83"; // a lead byte at the end
    return text;
  }

  std::string Pattern(const std::string& text) {
    unsigned kind = random_() % 8;
    std::string pattern;
    if (kind < 5 && !pieces_.empty()) {
      size_t first = random_() % pieces_.size();
      size_t count = 1 + random_() % 5;
      for (size_t index = first; index < std::min(pieces_.size(), first + count); ++index)
        pattern += Disguised(pieces_[index], random_);
    } else if (kind < 6 && !text.empty()) {
      // Raw bytes, which may cut a character.
      size_t first = random_() % text.size();
      pattern = text.substr(first, 1 + random_() % 4);
    } else {
      for (int count = 1 + static_cast<int>(random_() % 3); count > 0; --count)
        pattern += Pick(kAlphabet);
    }
    return pattern;
  }

  TSearchPos Record(const std::string& text) {
    int size = static_cast<int>(text.size());
    if (random_() % 10 == 0)
      return {static_cast<int>(random_() % (size + 5)) - 2, static_cast<int>(random_() % 8) - 1};
    int start = static_cast<int>(random_() % (size + 1));
    int length = static_cast<int>(random_() % (size - start + 1));
    return {start, random_() % 3 ? length : 0};
  }

private:
  std::mt19937 random_;
  std::vector<std::string> pieces_;

  const std::string& Pick(const std::vector<std::string>& pool) {
    return pool[random_() % pool.size()];
  }
};

std::string Describe(uint32_t seed, const Trial& trial) {
  return "seed " + std::to_string(seed) + "\ntext    " + Hex(trial.text) + "\npattern " +
         Hex(trial.pattern) + "\nrecord  {" + std::to_string(trial.record.Start) + ", " +
         std::to_string(trial.record.Length) + "} flags 0x" + IntToHex(trial.flags, 1);
}

// Runs one trial; a failure (with a message) when the matcher and the reference differ.
::testing::AssertionResult Agrees(uint32_t seed, const Trial& trial, bool& found) {
  std::optional<TSearchPos> expected =
      Reference(trial.text, trial.pattern, trial.flags).Search(trial.record);
  TSearchPos position = trial.record;
  found = FindTextMatch(trial.text, position, trial.pattern, trial.flags);
  TSearchPos wanted = expected.value_or(trial.record);
  if (found != expected.has_value() || position.Start != wanted.Start ||
      position.Length != wanted.Length)
    return ::testing::AssertionFailure()
           << Describe(seed, trial) << "\nexpected "
           << (expected ? std::to_string(expected->Start) + "+" + std::to_string(expected->Length)
                        : "nothing")
           << ", got "
           << (found ? std::to_string(position.Start) + "+" + std::to_string(position.Length)
                     : "nothing");
  if (found &&
      MatchLengthAt(trial.text, position.Start, trial.pattern, trial.flags) != position.Length)
    return ::testing::AssertionFailure() << Describe(seed, trial) << "\nMatchLengthAt differs";
  return ::testing::AssertionSuccess();
}

TEST(TextSearchRandom, AgreesWithThePlainReadingUnderEveryFlagCombination) {
  int searches = 0;
  int matches = 0;
  for (uint32_t seed : {1u, 2u, 3u, 4u, 5u}) {
    TrialMaker maker(seed);
    int failures = 0;
    for (int round = 0; round < 2000 && failures < 5; ++round) {
      std::string text = maker.Text();
      for (int search = 0; search < 11; ++search) {
        // Every combination of the six flags in turn.
        Trial trial{text, maker.Pattern(text), maker.Record(text), FlagsOf(searches % 64)};
        bool found = false;
        ::testing::AssertionResult agrees = Agrees(seed, trial, found);
        EXPECT_TRUE(agrees);
        failures += agrees ? 0 : 1;
        matches += found ? 1 : 0;
        ++searches;
      }
    }
  }
  EXPECT_GE(searches, 100000);
  // Matches must be common enough that found places are tested, not only misses.
  EXPECT_GT(matches, searches / 10);
}

} // namespace
