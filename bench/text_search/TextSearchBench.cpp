// Searches of a large LaTeX text that find nothing, each timed against memchr for a byte the
// text lacks, over the same buffer in the same run. Before timing, each search is checked: it
// fails, and its pattern without the final "z" is found where the generator first put the word.
// "--smoke" runs each search once on 256 KB.
#include "core/TextSearch.h"
#include "support/BenchTable.h"
#include "support/TexGenerator.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <vector>

using namespace quolin;

namespace {

struct Measure {
  const char* name;
  int flags;
  const char* pattern;
  double target; // time / memchr
  // The generator's words the pattern without "z" finds, and where in them it begins.
  std::vector<std::pair<std::string, size_t>> words;
};

const Measure kMeasures[] = {
    {"plain, case-sensitive", sfForward | sfMatchCase, "\\sectionz", 3, {{"\\section", 0}}},
    {"case ignored, whole words",
     sfForward | sfWholeWord,
     "Sectionz",
     8,
     {{"\\section", 1}, {"section", 0}, {"Section", 0}}},
    {"the same with width",
     sfForward | sfWholeWord | sfIgnoreWidth,
     "Sectionz",
     8,
     {{"\\section", 1},
      {"section", 0},
      {"Section", 0},
      {"ｓｅｃｔｉｏｎ", 0},
      {"ＳＥＣＴＩＯＮ", 0}}},
};

bool Search(const std::string& text, const std::string& pattern, int flags, TSearchPos& found) {
  found = {0, 0};
  return FindTextMatch(text, found, pattern, flags);
}

// The first place the generator put any of the measure's words; npos when it put none.
size_t FirstPlaced(const bench::GeneratedTex& tex, const Measure& measure) {
  size_t first = std::string::npos;
  for (const auto& [word, offset] : measure.words) {
    auto placed = tex.firstOffset.find(word);
    if (placed != tex.firstOffset.end())
      first = std::min(first, placed->second + offset);
  }
  return first;
}

bool CheckMeasure(const bench::GeneratedTex& tex, const Measure& measure) {
  TSearchPos found;
  if (Search(tex.text, measure.pattern, measure.flags, found)) {
    std::printf("check failed: %s found \"%s\" at %d\n", measure.name, measure.pattern,
                found.Start);
    return false;
  }
  std::string word(measure.pattern, std::strlen(measure.pattern) - 1);
  size_t expected = FirstPlaced(tex, measure);
  bool hit = Search(tex.text, word, measure.flags, found);
  if (expected == std::string::npos || !hit || static_cast<size_t>(found.Start) != expected) {
    std::printf("check failed: %s: the word is at %d, found at %d\n", measure.name,
                static_cast<int>(expected), hit ? found.Start : -1);
    return false;
  }
  return true;
}

// A byte value the text does not hold, for memchr to search the whole buffer.
int AbsentByte(const std::string& text) {
  std::array<bool, 256> present{};
  for (unsigned char byte : text)
    present[byte] = true;
  auto absent = std::find(present.begin() + 1, present.end(), false);
  return absent == present.end() ? -1 : static_cast<int>(absent - present.begin());
}

// Shows every run on the console and keeps each benchmark's fastest time in seconds.
class MinimumCollector : public benchmark::ConsoleReporter {
public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      bool single = run.run_type == Run::RT_Iteration && run.repetitions <= 1;
      bool minimum = run.run_type == Run::RT_Aggregate && run.aggregate_name == "min";
      if ((single || minimum) && !run.error_occurred)
        seconds_[run.run_name.function_name] =
            run.real_accumulated_time / static_cast<double>(run.iterations);
    }
    ConsoleReporter::ReportRuns(runs);
  }

  double Seconds(const std::string& name) const {
    auto found = seconds_.find(name);
    return found == seconds_.end() ? 0 : found->second;
  }

private:
  std::map<std::string, double> seconds_;
};

void Register(const char* name, int runs, std::function<void()> work) {
  auto* benchmark = benchmark::RegisterBenchmark(name, [work](benchmark::State& state) {
    for (auto _ : state)
      work();
  });
  benchmark->Iterations(1)->Repetitions(runs)->UseRealTime()->Unit(benchmark::kMillisecond);
  if (runs > 1)
    benchmark->ReportAggregatesOnly(true)->ComputeStatistics(
        "min", [](const std::vector<double>& times) {
          return *std::min_element(times.begin(), times.end());
        });
}

} // namespace

int main(int argc, char** argv) {
  std::vector<char*> arguments(argv, argv + argc);
  auto smokeFlag = std::find_if(arguments.begin(), arguments.end(), [](char* argument) {
    return std::strcmp(argument, "--smoke") == 0;
  });
  bool smoke = smokeFlag != arguments.end();
  if (smoke)
    arguments.erase(smokeFlag);
  int count = static_cast<int>(arguments.size());
  benchmark::Initialize(&count, arguments.data());

  bench::TexOptions options;
  options.searchWords = true;
  if (smoke)
    options.bytes = 256 * 1024;
  const bench::GeneratedTex tex = bench::GenerateTex(options);
  std::printf("text: %zu bytes of generated LaTeX (seed %u)\n", tex.text.size(), options.seed);

  bool checked = true;
  for (const Measure& measure : kMeasures)
    checked = CheckMeasure(tex, measure) && checked;
  int absent = AbsentByte(tex.text);
  if (absent < 0) {
    std::printf("check failed: the text holds every byte value\n");
    return 1;
  }

  const int runs = smoke ? 1 : 10;
  Register("memchr", runs, [&] {
    benchmark::DoNotOptimize(std::memchr(tex.text.data(), absent, tex.text.size()));
  });
  for (const Measure& measure : kMeasures) {
    Register(measure.name, runs, [&] {
      TSearchPos found;
      benchmark::DoNotOptimize(Search(tex.text, measure.pattern, measure.flags, found));
    });
  }
  MinimumCollector collector;
  benchmark::RunSpecifiedBenchmarks(&collector);
  benchmark::Shutdown();

  bench::BenchTable table;
  double baseline = collector.Seconds("memchr");
  for (const Measure& measure : kMeasures) {
    table.AddRatio(std::string(measure.name) + " \"" + measure.pattern + "\"",
                   collector.Seconds(measure.name), "memchr", baseline, measure.target);
  }
  bool passed = table.Print("Text search, forward from offset 0, finding nothing (minimum of " +
                            std::to_string(runs) + (runs == 1 ? " run)" : " runs)"));
  std::printf("checks: %s\n", checked ? "passed" : "FAILED");
  // A single small run times too little to judge; the smoke test checks the searches only.
  return checked && (smoke || passed) ? 0 : 1;
}
