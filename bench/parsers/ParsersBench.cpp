// Every window-free parser on generated input at two sizes, n and 4n. Each row is the processor
// time of one run of 4n over that of one run of n: about 4 when the cost grows with the input,
// about 16 when it grows with its square. The target, 10, leaves room for the logarithm of a
// sort and for caches that the larger input outgrows, and still stops a quadratic parser.
// Processor time of the thread, not wall time, so that time spent waiting for a processor on a
// busy machine does not count; the sizes are measured in turn and the least of some rounds
// kept. Before timing, each parser's answer on both inputs is checked. "--smoke" takes smaller
// inputs and shorter rounds and fails on a missed target too.

#include "core/CommandLineSplit.h"
#include "core/KanaConvert.h"
#include "core/KanaRows.h"
#include "core/PropertyStream.h"
#include "core/RecordingView.h"
#include "core/RegFileReader.h"
#include "core/Sjis.h"
#include "core/SpellCheck.h"
#include "core/StringList.h"
#include "core/TemplateMatch.h"
#include "core/TextEncoding.h"
#include "core/TextSearch.h"
#include "core/WidthConvert.h"
#include "core/WordList.h"
#include "support/BenchChecks.h"
#include "support/BenchTable.h"
#include "support/TempFile.h"
#include "support/TexGenerator.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace quolin;

constexpr double kTarget = 10;

struct Input {
  std::string bytes;
  size_t expected = 0; // what the case's run answers for these bytes
  std::shared_ptr<bench::TempFile> file;
};

struct Case {
  std::string name;
  size_t units;      // n of the full run, in the case's own unit
  size_t smokeUnits; // n of the smoke run
  std::function<Input(size_t units)> make;
  std::function<size_t(const Input&)> run;
};

std::string Tex(size_t kilobytes, bench::TexShape shape) {
  bench::TexOptions options;
  options.bytes = kilobytes * 1024;
  options.shape = shape;
  return bench::GenerateTex(options).text;
}

size_t CountLineFeeds(std::string_view text) {
  return static_cast<size_t>(std::count(text.begin(), text.end(), '\n'));
}

// Distinct words of 6 lower-case letters, then a letter pair; one in eight ends in kanji.
std::string DictionaryWord(size_t index) {
  constexpr uint64_t kSpace = 308915776;                        // 26^6
  uint64_t code = static_cast<uint64_t>(index) * 7919 % kSpace; // 7919 is prime to 26^6
  std::string word;
  for (int i = 0; i < 6; ++i, code /= 26)
    word += static_cast<char>('a' + code % 26);
  word += index % 8 == 0 ? "亜表" : "ng";
  return word;
}

// A search from the start of text (forward) or from its end (backward): 1 when it finds.
size_t Finds(const std::string& text, std::string_view pattern, int flags, bool fromEnd) {
  TSearchPos position{fromEnd ? static_cast<int>(text.size()) : 0, 0};
  return FindTextMatch(text, position, pattern, flags) ? 1 : 0;
}

std::vector<Case> RegFileCases() {
  auto valueBytes = [](const Input& input) -> size_t {
    std::vector<TRegFileSection> sections = ReadRegFile(input.bytes);
    size_t bytes = 0;
    for (const TRegFileSection& section : sections)
      for (const TRegFileValue& value : section.values)
        bytes += value.kind == rvDword ? 4 : value.data.size();
    return bytes;
  };
  const std::string head = "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Quolin\\Quolin]\r\n";
  return {
      {"REGEDIT4: one hex value continued over n lines", 300000, 8000,
       [head](size_t units) {
         std::string text = head + "\"Data\"=hex:00,\\\r\n" +
                            Repeat("  5c,\\\r\n", static_cast<int>(units - 1)) + "  81\r\n";
         return Input{text, units + 1};
       },
       valueBytes},
      {"REGEDIT4: n keys of Japanese strings, dwords, hex lists", 60000, 150,
       [](size_t units) {
         std::string text = "REGEDIT4\r\n";
         for (size_t i = 0; i < units; ++i)
           text += "\r\n[HKEY_CURRENT_USER\\Software\\Quolin\\表示" + std::to_string(i) +
                   "]\r\n\"名前\"=\"ソ\\\\表\\\"亜\"\r\n\"Count\"=dword:0000001f\r\n"
                   "@=hex:01,02,\\\r\n  03\r\n";
         return Input{text, units * (8 + 4 + 3)};
       },
       valueBytes},
      {"REGEDIT4: one string of n kanji, all bytes lead bytes", 1000000, 20000,
       [head](size_t units) {
         return Input{head + "\"Text\"=\"" + Repeat("亜", static_cast<int>(units)) + "\"\r\n",
                      2 * units};
       },
       valueBytes},
  };
}

// Lines.LoadFromFile into a view with "%" comments and "{" "}" brackets, wrap on at 80.
size_t LoadedLines(const Input& input) {
  RecordingView view;
  view.viewInfo.SetCommenter("%");
  TEditorBracketItem& braces = view.viewInfo.Brackets().Add();
  braces.SetLeftBracket("{");
  braces.SetRightBracket("}");
  view.Store().SetWordWrap(true);
  view.Lines().LoadFromFile(input.file->Path());
  return static_cast<size_t>(view.Lines().Count());
}

Input FileInput(std::string text, size_t expected) {
  auto file = std::make_shared<bench::TempFile>(text, "quolin-parsers", ".tex");
  return Input{std::move(text), expected, std::move(file)};
}

std::vector<Case> LoadCases() {
  return {
      {"Lines.LoadFromFile, wrap at 80: n KB of LaTeX lines", 2048, 64,
       [](size_t units) {
         std::string text = Tex(units, bench::TexShape::ShortLines);
         size_t lines = CountLineFeeds(text);
         return FileInput(std::move(text), lines);
       },
       LoadedLines},
      {"Lines.LoadFromFile, wrap at 80: one line of n KB", 2048, 32,
       [](size_t units) {
         std::string text = Tex(units, bench::TexShape::Paragraphs);
         std::erase_if(text, [](char byte) { return byte == '\r' || byte == '\n'; });
         return FileInput(std::move(text), 1);
       },
       LoadedLines},
      {"Lines.LoadFromFile, wrap at 80: n lines ending in lone CR", 500000, 5000,
       [](size_t units) {
         return FileInput(Repeat("\\item 漢字\x83\r", static_cast<int>(units)), units);
       },
       LoadedLines},
  };
}

std::vector<Case> EncodingCases() {
  return {
      {"DetectTextEncoding: n KB of ASCII, walked to the end", 8192, 256,
       [](size_t units) {
         return Input{
             Repeat("\\section{Intro} text, 12.5\r\n", static_cast<int>(units * 1024 / 28)),
             tcAscii};
       },
       [](const Input& input) -> size_t { return DetectTextEncoding(input.bytes); }},
      {"DetectTextEncoding: n KB of EUC-JP or Shift-JIS pairs", 8192, 256,
       [](size_t units) {
         return Input{Repeat("\xA4\xA2", static_cast<int>(units * 512)), tcEucOrShiftJis};
       },
       [](const Input& input) -> size_t { return DetectTextEncoding(input.bytes); }},
      {"ConvertAnsiToUtf8, ConvertUtf8ToAnsi: n KB of LaTeX", 2048, 32,
       [](size_t units) {
         std::string text = Tex(units, bench::TexShape::Paragraphs);
         size_t size = text.size();
         return Input{std::move(text), size};
       },
       [](const Input& input) { return ConvertUtf8ToAnsi(ConvertAnsiToUtf8(input.bytes)).size(); }},
      {"ConvertAnsiToUtf16Bom, ConvertUtf16BomToAnsi: n KB", 2048, 32,
       [](size_t units) {
         std::string text = Tex(units, bench::TexShape::ShortLines);
         size_t size = text.size();
         return Input{std::move(text), size};
       },
       [](const Input& input) {
         return ConvertUtf16BomToAnsi(ConvertAnsiToUtf16Bom(input.bytes, true)).size();
       }},
  };
}

std::vector<Case> PropertyStreamCases() {
  return {
      {"ReadComponentImage: n properties, a collection of n/8", 200000, 1000,
       [](size_t units) {
         TComponentImage image{"TEditorProp", "Prop", {}};
         for (size_t i = 0; i < units; ++i) {
           std::string name = "View.Item" + std::to_string(i);
           switch (i % 4) {
           case 0:
             image.properties.push_back({name, TStreamValue::Int(static_cast<int64_t>(i) * 977)});
             break;
           case 1:
             image.properties.push_back({name, TStreamValue::Str("表示 " + std::to_string(i))});
             break;
           case 2:
             image.properties.push_back({name, TStreamValue::SetOf({"fsBold", "fsItalic"})});
             break;
           default:
             image.properties.push_back({name, TStreamValue::Identifier("clWindow")});
           }
         }
         TStreamValue collection;
         collection.kind = TStreamValue::Kind::Collection;
         for (size_t i = 0; i < units / 8; ++i)
           collection.collection.push_back(
               {{"LeftBracket", TStreamValue::Str("{")}, {"Color", TStreamValue::Int(255)}});
         image.properties.push_back({"View.Brackets", collection});
         return Input{WriteComponentImage(image), units + 1 + units / 8 * 2};
       },
       [](const Input& input) -> size_t {
         TComponentImage image;
         if (!ReadComponentImage(input.bytes, image) || image.properties.empty())
           return 0;
         return image.properties.size() + image.properties.back().value.collection.size() * 2;
       }},
  };
}

std::vector<Case> SpellCases() {
  return {
      {"ReadDictionaryFile, AddWords, Find each: n words", 200000, 1000,
       [](size_t units) {
         std::string text;
         for (size_t i = 0; i < units; ++i)
           text += DictionaryWord(i) + (i % 3 == 0 ? "\n" : "\r\n");
         auto file = std::make_shared<bench::TempFile>(text, "quolin-parsers", ".dic");
         return Input{std::move(text), units, std::move(file)};
       },
       [](const Input& input) {
         std::vector<std::string> words;
         if (!ReadDictionaryFile(input.file->Path(), words))
           return size_t{0};
         std::vector<std::string> queries = words;
         TSpellWordList list;
         list.AddWords(std::move(words));
         return static_cast<size_t>(std::count_if(queries.begin(), queries.end(),
                                                  [&](auto& word) { return list.Find(word); }));
       }},
      {"CheckWord with suggestions: one word of n letters", 1000000, 5000,
       [](size_t units) {
         return Input{Repeat("s", static_cast<int>(units)), 0};
       },
       [](const Input& input) -> size_t {
         TQuolinSpellCheck check;
         check.UserDic.AddWords({"sense", "sass", "assess"});
         TStringList suggestions;
         return (check.CheckWord(input.bytes, &suggestions) ? 1 : 0) +
                static_cast<size_t>(suggestions.Count());
       }},
  };
}

std::vector<Case> CommandLineCases() {
  return {
      {"ParseMacroCall: arguments of n Japanese items", 1000000, 30000,
       [](size_t units) {
         return Input{"[Open(" + Repeat("表示ソ,", static_cast<int>(units)) + ")]\r\n", 7 * units};
       },
       [](const Input& input) {
         std::string command, arguments;
         ParseMacroCall(input.bytes, command, arguments);
         return command == "Open" ? arguments.size() : 0;
       }},
      {"CountCmdLineArgs: n pairs of arguments", 150000, 12000,
       [](size_t units) {
         return Input{"\"C:\\Quolin\\Quolin.exe\"" +
                          Repeat(" a.tex \"b c.tex\"", static_cast<int>(units)),
                      2 * units};
       },
       [](const Input& input) -> size_t { return CountCmdLineArgs(input.bytes); }},
  };
}

std::vector<Case> TemplateCases() {
  return {
      {"CollectTemplateMatches: one line of n labels", 200000, 1500,
       [](size_t units) {
         return Input{Repeat("\\label{表ソ} ", static_cast<int>(units)), units};
       },
       [](const Input& input) -> size_t {
         TStringList lines, found;
         lines.Add(input.bytes);
         return static_cast<size_t>(CollectTemplateMatches("\\label{$S}", "%", lines, found));
       }},
  };
}

std::vector<Case> SearchCases() {
  auto latex = [](size_t units) { return Input{Tex(units, bench::TexShape::Paragraphs), 0}; };
  return {
      {"FindTextMatch forward, whole words, width: n KB", 4096, 512, latex,
       [](const Input& input) {
         return Finds(input.bytes, "Sectionz", sfForward | sfWholeWord | sfIgnoreWidth, false);
       }},
      {"FindTextMatch backward, skipping blanks: n KB", 4096, 384, latex,
       [](const Input& input) {
         return Finds(input.bytes, "文書z",
                      sfWholeWord | sfIgnoreWidth | sfSkipLineBreaks | sfSkipBlanks, true);
       }},
      {"FindTextMatch both ways: n kanji, all bytes lead bytes", 1000000, 15000,
       [](size_t units) {
         return Input{Repeat("亜", static_cast<int>(units)), 0};
       },
       [](const Input& input) {
         return Finds(input.bytes, "亜a", sfForward | sfIgnoreWidth, false) +
                Finds(input.bytes, "亜a", 0, true);
       }},
  };
}

// The bytes text takes with every width choice full width, counted from its single-byte
// characters: letters, digits, the symbols' half-width forms and katakana grow to two bytes, a
// katakana with its voicing mark becomes one two-byte character.
size_t FullWidthSize(std::string_view text) {
  std::string halves;
  for (const TWidthPair& pair : WidthPairs)
    halves += pair.Half;
  size_t size = 0;
  for (size_t pos = 0; pos < text.size();) {
    size_t length = sjis::CharLength(text, pos);
    auto byte = static_cast<unsigned char>(text[pos]);
    bool voiced = length == 1 && sjis::CharLength(text, pos + 1) == 1 &&
                  FindDbcsPair(kana::kHalfVoicedPairsAnsi, text[pos], text[pos + 1]) != 0;
    bool alnum = (byte >= '0' && byte <= '9') || (byte >= 'A' && byte <= 'Z') ||
                 (byte >= 'a' && byte <= 'z');
    bool widens = alnum || halves.find(text[pos]) != std::string::npos ||
                  (byte >= 0xA6 && byte <= 0xDD); // the katakana row
    size += length == 2 || voiced || widens ? 2 : 1;
    pos += voiced ? 2 : length;
  }
  return size;
}

std::vector<Case> WidthCases() {
  return {
      {"ConvertTextWidth, every choice full width: n KB", 2048, 64,
       [](size_t units) {
         std::string text = Tex(units, bench::TexShape::Paragraphs);
         size_t size = FullWidthSize(text);
         return Input{std::move(text), size};
       },
       [](const Input& input) {
         std::array<int, WidthPairCount> choices;
         choices.fill(wcFull);
         return ConvertTextWidth(input.bytes, cwFullWidth, cwFullWidth, cwFullWidth,
                                 BuildSymbolLists(choices))
             .size();
       }},
  };
}

std::vector<Case> AllCases() {
  std::vector<Case> cases;
  for (auto group : {RegFileCases, LoadCases, EncodingCases, PropertyStreamCases, SpellCases,
                     CommandLineCases, TemplateCases, SearchCases, WidthCases}) {
    std::vector<Case> more = group();
    cases.insert(cases.end(), more.begin(), more.end());
  }
  return cases;
}

struct Settings {
  bool smoke = false;
  int rounds = 3;
  double total = 0.5; // seconds of processor time for each size in each round
};

struct Timing {
  double small = 1e30, large = 1e30;
};

// Processor time per run of each size, measured in turn, n then 4n, rounds times; the minimum of
// each.
Timing TimeBothSizes(const Case& parser, const Input& small, const Input& large,
                     const Settings& settings) {
  Timing timing;
  for (int round = 0; round < settings.rounds; ++round) {
    timing.small = std::min(timing.small, bench::ThreadSecondsPerCall(settings.total, [&] {
                              benchmark::DoNotOptimize(parser.run(small));
                            }));
    timing.large = std::min(timing.large, bench::ThreadSecondsPerCall(settings.total, [&] {
                              benchmark::DoNotOptimize(parser.run(large));
                            }));
  }
  return timing;
}

std::string Size(size_t bytes) {
  char text[32];
  if (bytes >= 1024 * 1024)
    std::snprintf(text, sizeof text, "%.1f MB", bytes / 1048576.0);
  else
    std::snprintf(text, sizeof text, "%.0f KB", bytes / 1024.0);
  return text;
}

} // namespace

int main(int argc, char** argv) {
  Settings settings;
  if (argc > 1 && std::string(argv[1]) == "--smoke")
    settings = Settings{true, 2, 0.1};
  bench::BenchTable table;
  bench::Checks checks;
  for (const Case& parser : AllCases()) {
    size_t units = settings.smoke ? parser.smokeUnits : parser.units;
    Input small = parser.make(units);
    Input large = parser.make(4 * units);
    for (const Input* input : {&small, &large}) {
      size_t answer = parser.run(*input);
      checks.Expect(answer == input->expected, parser.name + ": " + std::to_string(answer) +
                                                   " where " + std::to_string(input->expected) +
                                                   " was due, " + Size(input->bytes.size()));
    }
    Timing timing = TimeBothSizes(parser, small, large, settings);
    std::printf("%-72s n %9zu (%s): %9.3f ms  4n: %9.3f ms\n", parser.name.c_str(), units,
                Size(small.bytes.size()).c_str(), timing.small * 1000, timing.large * 1000);
    std::fflush(stdout);
    table.AddRatio(parser.name, timing.large, "n", timing.small, kTarget);
  }
  char title[160];
  std::snprintf(title, sizeof title,
                "parsers%s: processor time of 4n over that of n, per run (runs of at least %.1f s "
                "for each size, the least of %d rounds)",
                settings.smoke ? " (smoke)" : "", settings.total, settings.rounds);
  bool met = table.Print(title);
  if (checks.Failed())
    return 2;
  return met ? 0 : 1;
}
