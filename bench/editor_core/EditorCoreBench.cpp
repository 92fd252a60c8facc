// The editor core over generated CP932 LaTeX in two shapes (short lines and paragraphs):
// loading, word wrap, mid-text edits, undo and redo, reading every line, and memory. Each time
// stands beside a baseline measured in the same run over the same bytes; the program checks
// what it timed and ends with one table. "--smoke" runs everything once on 256 KB.

#include "CountingHeap.h"
#include "core/EditorUndo.h"
#include "core/RecordingView.h"
#include "support/Baselines.h"
#include "support/BenchChecks.h"
#include "support/BenchMain.h"
#include "support/BenchTable.h"
#include "support/TempFile.h"
#include "support/TexGenerator.h"

#include <benchmark/benchmark.h>
#include <windows.h>

#include <psapi.h> // after windows.h

#include <cstdio>
#include <cstring>
#include <string>

namespace {

using namespace quolin;

struct Settings {
  bool smoke = false;
  size_t bytes = 10 * 1024 * 1024;
  int runs = 10; // runs of each baseline and each short measure
  int editSteps = 1000;
  int sequenceRuns = 3; // runs of the 1000-step edit sequence
};

// "--smoke": a small input, measured once.
constexpr Settings SmokeSettings{.smoke = true, .bytes = 256 * 1024, .runs = 1, .sequenceRuns = 1};

struct Baselines {
  double scan, classify, copy, read;
};

Baselines MeasureBaselines(const std::string& text, const std::string& path, int runs) {
  Baselines result{};
  result.scan =
      bench::MinSeconds(runs, [&] { benchmark::DoNotOptimize(bench::CountLineFeeds(text)); });
  result.classify =
      bench::MinSeconds(runs, [&] { benchmark::DoNotOptimize(bench::CountLeadBytes(text)); });
  std::string copy(text.size(), '\0');
  result.copy = bench::MinSeconds(runs, [&] {
    std::memcpy(copy.data(), text.data(), text.size());
    benchmark::ClobberMemory();
  });
  result.read = bench::MinSeconds(runs, [&] {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    size_t at = 0;
    DWORD read = 0;
    while (at < copy.size() &&
           ReadFile(file, copy.data() + at,
                    static_cast<DWORD>(std::min<size_t>(8192, copy.size() - at)), &read, nullptr) &&
           read > 0)
      at += read;
    CloseHandle(file);
    benchmark::ClobberMemory();
  });
  return result;
}

// The process's committed private bytes. Wine leaves PrivateUsage at 0 and reports the same
// figure as PagefileUsage, which Windows fills alike.
size_t PrivateBytes() {
  PROCESS_MEMORY_COUNTERS_EX counters{};
  GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                       sizeof counters);
  return counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage;
}

// A view as a document shows LaTeX: "%" comments, brackets "{" "}" and "[" "]".
void SetUpView(RecordingView& view) {
  view.viewInfo.SetCommenter("%");
  for (const char* pair : {"{}", "[]"}) {
    TEditorBracketItem& item = view.viewInfo.Brackets().Add();
    item.SetLeftBracket(std::string(1, pair[0]));
    item.SetRightBracket(std::string(1, pair[1]));
  }
}

// Where the edits type: the middle of the middle row.
struct EditPoint {
  int row;
  size_t byte;   // in the row
  size_t offset; // in the whole text
};

EditPoint MiddleOf(TEditorScreenStrings& store) {
  EditPoint point{store.Count() / 2, 0, 0};
  std::string_view row = store.RowView(point.row);
  point.byte = sjis::CharStart(row, row.size() / 2);
  for (int i = 0; i < point.row; ++i)
    point.offset += store.RowView(i).size() + (store.GetRowAttribute(i) == raLineEnd ? 2 : 0);
  point.offset += point.byte;
  return point;
}

// As the editor types a character: the row replaced by itself with "x" inside.
void TypeX(TEditorScreenStrings& store, const EditPoint& point) {
  std::string row(store.RowView(point.row));
  row.insert(point.byte, 1, 'x');
  if (store.GetRowAttribute(point.row) == raLineEnd)
    row += "\r\n";
  store.ReplaceRows(point.row, 1, row);
}

// Shows the edit point as the painter would: its rows' tokenizer states computed.
void ScrollTo(RecordingView& view, const EditPoint& point) {
  view.topRow = point.row;
  view.row = point.row;
  view.Store().UpdateRowStates(point.row, false);
}

// Lines.Count and every Lines[i]; returns their bytes with 2 per line end.
size_t ReadAllLines(TEditorStrings& lines) {
  size_t bytes = 0;
  for (int i = 0; i < lines.Count(); ++i)
    bytes += lines.Get(i).size() + 2;
  return bytes;
}

// Loads text wrapped at 80, types one "x", then times reading all lines.
double ReadLinesAfterAnEdit(const std::string& text, const Settings& settings,
                            bench::Checks& checks) {
  bench::TempFile file(text, "quolin-editor-core", ".tex");
  RecordingView view;
  SetUpView(view);
  view.Store().SetWordWrap(true);
  view.Lines().LoadFromFile(file.Path());
  EditPoint point = MiddleOf(view.Store());
  ScrollTo(view, point);
  size_t typed = 0;
  size_t bytes = 0;
  double seconds = bench::MinSeconds(
      settings.runs,
      [&] {
        TypeX(view.Store(), point);
        ++typed;
      },
      [&] { bytes = ReadAllLines(view.Lines()); });
  checks.Expect(bytes == text.size() + typed, "every line read back after the edits");
  return seconds;
}

void RunShape(bench::TexShape shape, const Settings& settings, bench::BenchTable& table,
              bench::Checks& checks) {
  const std::string name = shape == bench::TexShape::ShortLines ? "short lines" : "paragraphs";
  bench::TexOptions texOptions;
  texOptions.bytes = settings.bytes;
  texOptions.shape = shape;
  const std::string text = bench::GenerateTex(texOptions).text;
  const int lineCount = static_cast<int>(bench::CountLineFeeds(text));
  bench::TempFile file(text, "quolin-editor-core", ".tex");
  Baselines base = MeasureBaselines(text, file.Path(), settings.runs);
  std::printf("%s: %zu bytes, %d lines\n", name.c_str(), text.size(), lineCount);

  RecordingView view;
  SetUpView(view);
  TEditorScreenStrings& store = view.Store();
  TEditorStrings& lines = view.Lines();

  double load = bench::MinSeconds(settings.runs, [&] { lines.LoadFromFile(file.Path()); });
  checks.Expect(lines.Count() == lineCount && store.Count() == lineCount, name + ": lines loaded");
  table.AddRatio("Lines.LoadFromFile, wrap off (" + name + ")", load, "read + scan",
                 base.read + base.scan, 25);

  double wrapOn = bench::MinSeconds(
      settings.runs, [&] { store.SetWordWrap(false); }, [&] { store.SetWordWrap(true); });
  checks.Expect(lines.Count() == lineCount && store.WholeText() == text, name + ": wrapped at 80");
  table.AddRatio("word wrap on at 80 (" + name + ")", wrapOn, "classify", base.classify, 30);

  double rewrap = bench::MinSeconds(
      settings.runs, [&] { store.WrapOption().SetWrapByte(80); },
      [&] { store.WrapOption().SetWrapByte(64); });
  checks.Expect(lines.Count() == lineCount && store.WholeText() == text, name + ": wrapped at 64");
  store.WrapOption().SetWrapByte(80);
  table.AddRatio("WrapByte 80 -> 64 (" + name + ")", rewrap, "classify", base.classify, 30);

  EditPoint point = MiddleOf(store);
  ScrollTo(view, point);
  std::string typedOnce = text;
  typedOnce.insert(point.offset, 1, 'x');
  double insert = bench::MinSeconds(
      settings.runs, [&] { store.Undo(); }, [&] { TypeX(store, point); });
  checks.Expect(store.WholeText() == typedOnce, name + ": one x typed mid-text");
  table.AddRatio("one \"x\" inserted mid-text, wrap on (" + name + ")", insert, "scan", base.scan,
                 2);

  store.Undo();
  store.UndoObj().Clear();
  store.UndoObj().SetUndoListMax(settings.editSteps);
  std::string typedAll = text;
  typedAll.insert(point.offset, static_cast<size_t>(settings.editSteps), 'x');
  auto undoAll = [&] {
    while (store.UndoObj().CanUndo())
      store.Undo();
  };
  size_t undoBytes = 0;
  double sequence = bench::MinSeconds(
      settings.sequenceRuns,
      [&] {
        undoAll(); // back to the generated text
        store.UndoObj().Clear();
      },
      [&] {
        for (int i = 0; i < settings.editSteps; ++i)
          TypeX(store, point);
        undoBytes = store.UndoObj().UndoList().MemoryBytes();
        for (int i = 0; i < settings.editSteps; ++i)
          store.Undo();
        for (int i = 0; i < settings.editSteps; ++i)
          store.Redo();
      });
  checks.Expect(store.WholeText() == typedAll, name + ": text after the redos");
  undoAll();
  checks.Expect(store.WholeText() == text, name + ": text after the undos");
  table.AddRatio(std::to_string(settings.editSteps) + " inserts, undos, redos: mean per step (" +
                     name + ")",
                 sequence / (3.0 * settings.editSteps), "scan", base.scan, 2);
  store.UndoObj().Clear();

  double read = ReadLinesAfterAnEdit(text, settings, checks);
  table.AddRatio("Lines.Count and every Lines[i], wrap on, after an edit (" + name + ")", read,
                 "scan + copy", base.scan + base.copy, 15);
  texOptions.bytes = settings.bytes / 10;
  double readSmall = ReadLinesAfterAnEdit(bench::GenerateTex(texOptions).text, settings, checks);
  table.AddValue("  reading all lines: full size / one tenth (" + name + ")", read / readSmall, "x",
                 13);

  size_t heapBefore = bench::LiveHeapBytes();
  size_t privateBefore = PrivateBytes();
  {
    RecordingView wrapped;
    SetUpView(wrapped);
    wrapped.Store().SetWordWrap(true);
    wrapped.Lines().LoadFromFile(file.Path());
    double perByte = static_cast<double>(bench::LiveHeapBytes() - heapBefore) / text.size();
    size_t privateAfter = PrivateBytes();
    table.AddValue("memory, wrap on at 80, bytes per byte of text (" + name + ")", perByte, "B/B",
                   shape == bench::TexShape::ShortLines ? 3.0 : 2.0);
    std::printf("  %s, wrapped at 80: live heap %.1f MB; private bytes %.1f MB -> %.1f MB (the C "
                "runtime's heap reuses what earlier runs freed)\n",
                name.c_str(), (bench::LiveHeapBytes() - heapBefore) / 1048576.0,
                privateBefore / 1048576.0, privateAfter / 1048576.0);
    std::printf("  %s: undo lists after %d edits: %zu bytes\n", name.c_str(), settings.editSteps,
                undoBytes);
  }
}

} // namespace

int main(int argc, char** argv) {
  const Settings settings = bench::SmokeAsked(argc, argv) ? SmokeSettings : Settings{};
  return bench::BenchMain(
      settings.smoke, settings.smoke ? "editor_core (smoke, 256 KB)" : "editor_core (10 MB)",
      [&](bench::BenchTable& table, bench::Checks& checks) {
        for (bench::TexShape shape : {bench::TexShape::ShortLines, bench::TexShape::Paragraphs})
          RunShape(shape, settings, table, checks);
      });
}
