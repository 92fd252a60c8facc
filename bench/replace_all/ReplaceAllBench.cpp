// Replace all of the find dialog on a real editor: a generated Shift-JIS LaTeX file holding one
// pattern 2,000 times, replaced from the start by the dialog's replace all; beside the same
// replacements made directly in one update bracket, and one search of the whole text that finds
// nothing. What replace all adds to the replacements themselves must stay within a few whole-text
// searches, which it cannot when it copies or walks the text once per match. "--smoke" runs
// once on 256 KB.

#include "app/DocOps.h"
#include "app/DocUnit.h"
#include "app/TopUnit.h"
#include "core/Format.h"
#include "core/TextSearch.h"
#include "editor/EditorControl.h"
#include "settings/FindUnit.h"
#include "support/BenchChecks.h"
#include "support/BenchTable.h"
#include "support/MainWindowRun.h"
#include "support/TempFile.h"
#include "support/TexGenerator.h"
#include "ui/Buttons.h"
#include "ui/Edits.h"
#include "ui/TabControls.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using namespace quolin;

constexpr char Pattern[] = "QuolinNeedle";
constexpr char Replacement[] = "置換済み";
constexpr char Missing[] = "QuolinNeedlf";
constexpr int Matches = 2000;

struct Settings {
  bool smoke = false;
  size_t bytes = 4 * 1024 * 1024;
  int runs = 25;
};

// "--smoke": a small input, measured once.
constexpr Settings SmokeSettings{.smoke = true, .bytes = 256 * 1024, .runs = 1};

struct Input {
  std::string text;
  std::string expected;
  // Offsets of the pattern in text, ascending.
  std::vector<size_t> matches;
};

// The generated text with the pattern put at the start of evenly spread lines.
Input MakeInput(size_t bytes) {
  bench::TexOptions options;
  options.bytes = bytes;
  options.shape = bench::TexShape::ShortLines;
  const std::string generated = bench::GenerateTex(options).text;
  std::vector<size_t> lineStarts;
  for (size_t at = generated.find('\n'); at != std::string::npos; at = generated.find('\n', at + 1))
    if (at + 1 < generated.size())
      lineStarts.push_back(at + 1);
  if (lineStarts.size() < Matches)
    throw std::runtime_error("too few lines for the matches");
  Input input;
  size_t copied = 0;
  for (int i = 0; i < Matches; ++i) {
    size_t at = lineStarts[lineStarts.size() * static_cast<size_t>(i) / Matches];
    input.text.append(generated, copied, at - copied);
    input.expected.append(generated, copied, at - copied);
    input.matches.push_back(input.text.size());
    input.text += Pattern;
    input.expected += Replacement;
    copied = at;
  }
  input.text.append(generated, copied);
  input.expected.append(generated, copied);
  return input;
}

TEditor& OpenDocumentOf(const bench::TempFile& file) {
  if (!OpenDocument(file.Path(), "", false, -1, false, true))
    throw std::runtime_error("cannot open " + file.Path());
  return *ActiveDoc()->Editor1;
}

std::string StatusMessage() {
  return TopForm->StatusBar1->Panels(spMessage).Text();
}

void Reset(TEditor& view, const std::string& text) {
  view.SetText(text);
  view.SetSelStart(0);
}

void Run(const Settings& settings, bench::BenchTable& table, bench::Checks& checks) {
  const Input input = MakeInput(settings.bytes);
  bench::TempFile file(input.text, "quolin-replace", ".tex");
  std::printf("%zu bytes, %d matches of \"%s\"\n", input.text.size(), Matches, Pattern);
  TEditor& view = OpenDocumentOf(file);
  checks.Expect(view.Text() == input.text, "the document holds the file's text");

  TFindForm& form = EnsureFindForm();
  form.TabControl1->SetTabIndex(1);
  form.TabControl1Change();
  form.CaseCheck->SetChecked(true);
  form.FindComboBox->SetText(Pattern);
  form.ReplaceComboBox->SetText(Replacement);
  const int growth = static_cast<int>(std::string(Replacement).size() - std::string(Pattern).size());
  auto replaceDirectly = [&] {
    view.Lines().BeginUpdate();
    for (size_t i = 0; i < input.matches.size(); ++i) {
      view.SetSelStart(static_cast<int>(input.matches[i]) + growth * static_cast<int>(i));
      view.SetSelLength(static_cast<int>(std::string(Pattern).size()));
      view.SetSelText(Replacement);
    }
    view.Lines().EndUpdate();
  };
  // Measure and baseline take turns, so that other work on the machine weighs on both alike.
  double measure = std::numeric_limits<double>::max();
  double baseline = measure;
  for (int round = 0; round < settings.runs; ++round) {
    measure =
        std::min(measure, bench::MinSeconds(
                              1, [&] { Reset(view, input.text); }, [&] { form.Button3Click(); }));
    checks.Expect(view.Text() == input.expected, "replace all: the text");
    checks.Expect(StatusMessage() == Format(" %d 箇所を置換しました.", Matches),
                  "replace all: the count, but " + StatusMessage());
    baseline = std::min(baseline, bench::MinSeconds(
                                      1, [&] { Reset(view, input.text); }, replaceDirectly));
    checks.Expect(view.Text() == input.expected, "direct replacements: the text");
  }

  bool found = true;
  double reference = bench::MinSeconds(settings.runs, [&] {
    TSearchPos position{0, 0};
    found = FindTextMatch(input.text, position, Missing, sfForward | sfMatchCase);
    benchmark::DoNotOptimize(position);
  });
  checks.Expect(!found, "the reference search finds nothing");

  std::printf("replace all %.1f ms, direct replacements %.1f ms, one search %.2f ms\n",
              measure * 1e3, baseline * 1e3, reference * 1e3);
  table.AddRatio("replace all of 2,000 matches, less the same replacements made directly",
                 measure - baseline, "one search of the whole text finding nothing", reference, 3);
  form.Free();
  while (TDocForm* doc = DocAt(0))
    doc->Free();
}

} // namespace

int main(int argc, char** argv) {
  const Settings settings = bench::SmokeAsked(argc, argv) ? SmokeSettings : Settings{};
  return bench::MainWindowBenchMain("ReplaceAllBench", settings.smoke,
                                    settings.smoke ? "replace_all (smoke, 256 KB)"
                                                   : "replace_all (4 MB)",
                                    std::bind_front(Run, settings));
}
