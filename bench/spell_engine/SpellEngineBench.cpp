// The spell engine on inputs generated in the run from Debian's word lists: loading a
// 100,000-word dictionary and a user dictionary, checking 1 MB of LaTeX line by line, making
// suggestions for 1,000 misspellings and adding every line's words to the user dictionary.
// Each time stands beside a baseline of plain hashing over the same bytes in the same run; the
// program checks what it timed and ends with one table. "--smoke" runs each measure once on
// the American list, 64 KB of text and 50 misspellings (checks only).

#include "common/TempFolder.h"
#include "core/SpellCheck.h"
#include "core/SpellParser.h"
#include "core/StringList.h"
#include "core/TokenScan.h"
#include "core/spell_support/DebianWordLists.h"
#include "core/spell_support/SpellInputs.h"
#include "spell_engine/SpellTextInputs.h"
#include "support/BenchChecks.h"
#include "support/BenchMain.h"
#include "support/BenchTable.h"

#include <benchmark/benchmark.h>
#include <windows.h>

#include <array>
#include <cstdio>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace {

using namespace quolin;
using namespace quolin::spell_support;

struct Settings {
  bool smoke = false;
  size_t dictionaryWords = 100000; // distinct words of big.dic; 0: the American list as it is
  size_t customWords = 1000;
  size_t misspellings = 1000;
  size_t textBytes = 1024 * 1024;
  int runs = 5;
};

// "--smoke": a small input, measured once.
constexpr Settings SmokeSettings{
    .smoke = true, .dictionaryWords = 0, .misspellings = 50, .textBytes = 64 * 1024, .runs = 1};

constexpr uint32_t kBigSeed = 1;
constexpr uint32_t kCustomSeed = 2;
constexpr uint32_t kMisspellingSeed = 3;
constexpr uint32_t kRankSeed = 4;
constexpr uint32_t kTextSeed = 5;
constexpr double kMisspellingRate = 0.02;

uint32_t Fnv1a(std::string_view bytes) {
  uint32_t hash = 2166136261u;
  for (unsigned char byte : bytes) {
    hash ^= byte;
    hash *= 16777619u;
  }
  return hash;
}

bool IsLetterOrDigit(unsigned char byte) {
  return (byte >= '0' && byte <= '9') || ((byte | 0x20) >= 'a' && (byte | 0x20) <= 'z');
}

// The "hash words" baseline: FNV-1a of each run of letters and digits.
uint32_t HashWords(std::string_view text) {
  uint32_t sum = 0;
  size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && !IsLetterOrDigit(static_cast<unsigned char>(text[i])))
      ++i;
    size_t start = i;
    while (i < text.size() && IsLetterOrDigit(static_cast<unsigned char>(text[i])))
      ++i;
    if (i > start)
      sum += Fnv1a(text.substr(start, i - start));
  }
  return sum;
}

std::string ReadWholeFile(const std::string& path) {
  std::string content;
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    throw std::runtime_error("cannot read " + path);
  content.resize(GetFileSize(file, nullptr));
  DWORD read = 0;
  ReadFile(file, content.data(), static_cast<DWORD>(content.size()), &read, nullptr);
  CloseHandle(file);
  content.resize(read);
  return content;
}

// The "read + hash" baseline: both files read, split into lines, FNV-1a of each line.
uint32_t ReadAndHash(const std::vector<std::string>& paths) {
  uint32_t sum = 0;
  for (const std::string& path : paths) {
    std::string content = ReadWholeFile(path);
    ForEachTextLine(content, [&](std::string_view line, size_t) { sum += Fnv1a(line); });
  }
  return sum;
}

size_t DistinctIgnoringCase(const std::vector<std::string>& words) {
  std::unordered_set<std::string> distinct;
  for (const std::string& word : words)
    distinct.insert(sjis::LowerAscii(word));
  return distinct.size();
}

void Configure(TQuolinSpellCheck& check, const std::string& folder) {
  check.MainDic = folder + "Custom.dic";
  check.DicFolder = folder;
  // The spell settings dialog's defaults.
  check.StripSuffixes = true;
  check.SkipAllUpper = true;
  check.SkipCapitalized = true;
  check.SkipWithDigits = true;
  check.SkipMail = true;
  check.SkipUrl = true;
  check.MinWordLen = 3;
  check.Commenter = "%";
}

struct Found {
  size_t line;
  size_t offset;
  std::string word;
  bool operator==(const Found&) const = default;
};

// Every line from 0 and after each hit until -1, as the spell dialog walks a document.
std::vector<Found> CheckLines(TQuolinSpellCheck& check,
                              const std::vector<std::string_view>& lines) {
  std::vector<Found> found;
  std::string word;
  for (size_t line = 0; line < lines.size(); ++line) {
    for (int start = 0;;) {
      int at = check.FindMisspelledWord(lines[line], start, nullptr, word);
      if (at < 0)
        break;
      found.push_back({line, static_cast<size_t>(at), word});
      start = at + static_cast<int>(word.size());
    }
  }
  return found;
}

std::string Describe(const std::vector<Found>& found, size_t index) {
  if (index >= found.size())
    return "nothing";
  return "\"" + found[index].word + "\" at line " + std::to_string(found[index].line) + " byte " +
         std::to_string(found[index].offset);
}

void Run(const Settings& settings, bench::BenchTable& table, bench::Checks& checks) {
  test_support::TempFolder work("spellbench");
  const std::string lists = work.Path();
  const std::string dictionaries = work / "辞書ソ\\";
  CreateDirectoryA(dictionaries.c_str(), nullptr);
  for (const DebianWordList* list : {&kAmericanEnglish, &kBritishEnglish}) {
    std::string error = MakeDictionaryFromWordList(
        *list, lists + (list == &kAmericanEnglish ? "american.dic" : "british.dic"));
    if (!error.empty())
      throw std::runtime_error(error);
  }
  const std::vector<std::string> american = ReadWords(lists + "american.dic");
  const std::vector<std::string> british = ReadWords(lists + "british.dic");

  // The dictionary folder: big.dic (or the American list) and the user's Custom.dic.
  std::vector<std::string> big =
      settings.dictionaryWords ? MakeBigDictionary(american, settings.dictionaryWords, kBigSeed)
                               : american;
  std::vector<std::string> custom =
      PickWordsMissingFrom(british, american, settings.customWords, kCustomSeed);
  const std::string bigPath =
      dictionaries + (settings.dictionaryWords ? "big.dic" : "american.dic");
  if (!WriteWords(bigPath, big) || !WriteWords(dictionaries + "Custom.dic", custom))
    throw std::runtime_error("cannot write the dictionaries in " + dictionaries);
  size_t bigDistinct = DistinctIgnoringCase(big);
  std::printf("dictionaries: %zu words (%zu distinct ignoring case) and Custom.dic %zu words\n",
              big.size(), bigDistinct, custom.size());

  TQuolinSpellCheck check;
  Configure(check, dictionaries);

  // Load.
  double load =
      bench::MinSeconds(settings.runs, [&] { benchmark::DoNotOptimize(check.LoadDictionaries()); });
  double readHash = bench::MinSeconds(settings.runs, [&] {
    benchmark::DoNotOptimize(ReadAndHash({bigPath, dictionaries + "Custom.dic"}));
  });
  checks.Expect(check.LoadDictionaries(), "LoadDictionaries answers true");
  checks.Expect(static_cast<size_t>(check.OtherDic.Count()) == bigDistinct,
                "OtherDic holds " + std::to_string(bigDistinct) + " words, not " +
                    std::to_string(check.OtherDic.Count()));
  checks.Expect(settings.smoke || check.OtherDic.Count() == 100000, "OtherDic holds 100,000 words");
  checks.Expect(static_cast<size_t>(check.UserDic.Count()) == custom.size(),
                "UserDic holds Custom.dic");
  table.AddRatio("LoadDictionaries (" + std::to_string(big.size()) + " + " +
                     std::to_string(custom.size()) + " words)",
                 load, "read + hash", readHash, 25);

  // Inputs that depend on the engine: misspellings it misses, and the text.
  std::vector<Misspelling> misspellings =
      MakeMisspellings(american, settings.misspellings, kMisspellingSeed,
                       [&](const std::string& word) { return !check.CheckWord(word, nullptr); });
  checks.Expect(misspellings.size() == settings.misspellings, "enough misspellings");
  std::vector<std::string> ranked = american;
  SeededRandom(kRankSeed).Shuffle(ranked);
  const SpellText text =
      MakeSpellText(ranked, misspellings, settings.textBytes, kMisspellingRate, kTextSeed);
  std::vector<std::string_view> lines;
  ForEachTextLine(text.text, [&](std::string_view line, size_t) { lines.push_back(line); });
  std::printf("text: %zu bytes, %zu lines, %zu misspellings planted\n", text.text.size(),
              lines.size(), text.planted.size());

  // Check every line.
  std::vector<Found> found;
  double checking = bench::MinSeconds(settings.runs, [&] { found = CheckLines(check, lines); });
  double hashWords =
      bench::MinSeconds(settings.runs, [&] { benchmark::DoNotOptimize(HashWords(text.text)); });
  std::vector<Found> planted;
  for (const PlantedWord& word : text.planted)
    planted.push_back({word.line, word.offset, word.word});
  size_t firstDifference = 0;
  while (firstDifference < found.size() && firstDifference < planted.size() &&
         found[firstDifference] == planted[firstDifference])
    ++firstDifference;
  checks.Expect(found == planted, "the check reports the planted misspellings: found " +
                                      Describe(found, firstDifference) + ", planted " +
                                      Describe(planted, firstDifference));
  table.AddRatio("check: every line by FindMisspelledWord", checking, "hash words", hashWords, 30);

  // Suggestions.
  TStringList suggestions;
  suggestions.SetSorted(true);
  size_t withSource = 0;
  double suggesting = bench::MinSeconds(settings.runs, [&] {
    withSource = 0;
    for (const Misspelling& misspelling : misspellings) {
      suggestions.Clear();
      check.CheckWord(misspelling.word, &suggestions);
      withSource += suggestions.IndexOf(misspelling.source) >= 0;
    }
  });
  std::array<std::vector<std::string_view>, 256> byFirstLetter;
  for (const std::string& word : big)
    byFirstLetter[static_cast<unsigned char>(sjis::UpperAscii(word.substr(0, 1))[0])].push_back(
        word);
  double letterScan = bench::MinSeconds(settings.runs, [&] {
    uint32_t sum = 0;
    for (const Misspelling& misspelling : misspellings) {
      char first = sjis::UpperAscii(misspelling.word.substr(0, 1))[0];
      for (std::string_view word : byFirstLetter[static_cast<unsigned char>(first)])
        sum += Fnv1a(word);
    }
    benchmark::DoNotOptimize(sum);
  });
  checks.Expect(withSource == misspellings.size(), "each misspelling's source word is suggested (" +
                                                       std::to_string(withSource) + " of " +
                                                       std::to_string(misspellings.size()) + ")");
  table.AddRatio("CheckWord with suggestions (" + std::to_string(misspellings.size()) +
                     " misspellings)",
                 suggesting, "letter scan", letterScan, 6);

  // Add every line's words, last line first, as the dialog's add-all does.
  double adding = bench::MinSeconds(
      settings.runs,
      [&] {
        check.UserDic.Clear();
        check.UserDic.AddWords(custom);
      },
      [&] {
        for (size_t line = lines.size(); line-- > 0;)
          check.AddWordsToUserDictionary(lines[line], false);
      });
  size_t missing = 0;
  for (std::string_view line : lines) {
    for (TSpellParser parser(line, true, true, ""); parser.TokenKind() != tkEnd;
         parser.NextToken()) {
      std::string_view token = parser.TokenString();
      bool added =
          parser.TokenKind() == tkWord && token.size() >= 3 && token != sjis::UpperAscii(token);
      missing += added && !check.UserDic.Find(token);
    }
  }
  for (const PlantedWord& word : text.planted)
    missing += !check.UserDic.Find(word.word);
  checks.Expect(missing == 0,
                "after add-all UserDic holds every word (" + std::to_string(missing) + " missing)");
  table.AddRatio("add all: AddWordsToUserDictionary, last line first", adding, "hash words",
                 hashWords, 40);
  std::printf("UserDic after add-all: %d words\n", check.UserDic.Count());
}

} // namespace

int main(int argc, char** argv) {
  const Settings settings = bench::SmokeAsked(argc, argv) ? SmokeSettings : Settings{};
  return bench::BenchMain(settings.smoke,
                          settings.smoke ? "spell_engine (smoke: American list, 64 KB)"
                                         : "spell_engine (100,000 words, 1 MB)",
                          std::bind_front(Run, settings));
}
