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
using quolin::texttest::Trial;
using quolin::texttest::TrialMaker;

namespace {

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

// The text a search reads beside its start: handed only that and the part it searches, the search
// answers as on the whole text.
TEST(TextSearchRandom, ASearchReadsOnlyWhatItsLookBehindOrLookAheadSays) {
  int matches = 0;
  int searches = 0;
  for (uint32_t seed : {6u, 7u}) {
    TrialMaker maker(seed);
    for (int round = 0; round < 3000; ++round) {
      std::string text = maker.Text();
      Trial trial{text, maker.Pattern(text), maker.Record(text), FlagsOf(round % 64)};
      auto start = static_cast<size_t>(trial.record.Start);
      size_t first = start + static_cast<size_t>(trial.record.Length);
      if (trial.record.Start < 0 || trial.record.Length < 0 || first > text.size())
        continue;
      size_t offset = 0;
      std::string_view view = text;
      TSearchPos record = trial.record;
      if (trial.flags & sfForward) {
        offset = first - ForwardSearchLookBehind(view.substr(0, first));
        view = view.substr(offset);
        record = {static_cast<int>(first - offset), 0};
      } else {
        view = view.substr(
            0, start + BackwardSearchLookAhead(view.substr(start), trial.pattern, trial.flags));
      }
      TSearchPos whole = trial.record;
      bool found = FindTextMatch(text, whole, trial.pattern, trial.flags);
      bool foundInView = FindTextMatch(view, record, trial.pattern, trial.flags);
      TSearchPos shifted{record.Start + static_cast<int>(offset), record.Length};
      EXPECT_TRUE(found == foundInView && (!found || whole == shifted))
          << Describe(seed, trial) << "\nview from " << offset << ": " << Hex(view);
      if (trial.flags & sfForward) {
        // Cut short anywhere after its start, the view judges its early candidates alike.
        size_t cut = first + static_cast<size_t>(round) * 7919 % (text.size() - first + 1);
        std::string_view shorter = view.substr(0, cut - offset);
        size_t judged =
            shorter.size() - ForwardSearchLookAhead(shorter, trial.pattern, trial.flags);
        TSearchPos inShorter{static_cast<int>(first - offset), 0};
        bool foundEarly = FindTextMatch(shorter, inShorter, trial.pattern, trial.flags) &&
                          static_cast<size_t>(inShorter.Start) < judged;
        bool early = found && static_cast<size_t>(whole.Start) - offset < judged;
        EXPECT_TRUE(early == foundEarly &&
                    (!early || whole.Start == inShorter.Start + static_cast<int>(offset)))
            << Describe(seed, trial) << "\ncut at " << cut << ", judged " << judged;
      }
      matches += found ? 1 : 0;
      ++searches;
    }
  }
  EXPECT_GT(matches, searches / 10);
}

} // namespace
