// A big document in the program's own windows: opening a generated Shift-JIS LaTeX file and its
// UTF-8 form with word wrap on until the document window has painted, and one typed character
// and its undo until the view has painted, in the big document and in a small one. Times stand
// beside baselines of the same run; "--smoke" runs everything once on 256 KB.

#include "app/DocOps.h"
#include "app/DocUnit.h"
#include "app/TopUnit.h"
#include "common/Registry.h"
#include "core/ResConst.h"
#include "core/TextEncoding.h"
#include "support/Baselines.h"
#include "support/BenchChecks.h"
#include "support/BenchTable.h"
#include "support/MainWindowRun.h"
#include "support/ScratchUser.h"
#include "support/TempFile.h"
#include "support/TexGenerator.h"

#include <benchmark/benchmark.h>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <string>

namespace {

using namespace quolin;

struct Settings {
  bool smoke = false;
  size_t bytes = 10 * 1024 * 1024;
  size_t smallBytes = 10 * 1024;
  int openRuns = 5;
  int typeRuns = 20;
};

// ReadFile of the whole file plus memchr counting its line feeds.
double ReadAndScan(const bench::TempFile& file, size_t size, int runs) {
  std::string buffer(size, '\0');
  return bench::MinSeconds(runs, [&] {
    HANDLE handle = CreateFileA(file.Path().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD read = 0;
    ReadFile(handle, buffer.data(), static_cast<DWORD>(size), &read, nullptr);
    CloseHandle(handle);
    benchmark::DoNotOptimize(bench::CountLineFeeds(buffer));
  });
}

void PaintNow(HWND window) {
  RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void CloseAllDocuments() {
  while (TDocForm* doc = DocAt(0))
    doc->Free();
  bench::PumpMessages();
}

TDocForm* OpenAndPaint(const bench::TempFile& file) {
  if (!OpenDocument(file.Path(), "", false, -1, false, true))
    throw std::runtime_error("cannot open " + file.Path());
  TDocForm* doc = ActiveDoc();
  PaintNow(doc->Handle());
  return doc;
}

// OpenDocument until its window painted, closed untimed between runs.
double TimeOpening(const bench::TempFile& file, int lineCount, int runs, const std::string& what,
                   bench::Checks& checks) {
  int lines = 0;
  double seconds = bench::MinSeconds(runs, CloseAllDocuments,
                                     [&] { lines = OpenAndPaint(file)->Editor1->Lines().Count(); });
  checks.Expect(lines == lineCount, what + ": every line opened");
  checks.Expect(ActiveDoc()->Editor1->WordWrap(), what + ": opened wrapped");
  CloseAllDocuments();
  return seconds;
}

struct EditTimes {
  double type, undo;
};

// One "x" typed in the middle line as the keyboard sends it, until the view painted; then its
// undo the same way. Each timed step has the other one untimed before it.
EditTimes TimeEditing(const bench::TempFile& file, int runs, const std::string& what,
                      bench::Checks& checks) {
  TDocForm* doc = OpenAndPaint(file);
  TEditor& view = *doc->Editor1;
  int middle = view.Lines().Count() / 2;
  doc->GoToLine(middle, 0, true);
  PaintNow(doc->Handle());
  const std::string line = view.Lines()[middle];
  auto type = [&] {
    SendMessageA(view.Handle(), WM_CHAR, 'x', 0);
    PaintNow(view.Handle());
  };
  auto undo = [&] {
    view.Undo();
    PaintNow(view.Handle());
  };
  EditTimes times{};
  times.type = bench::MinSeconds(
      runs,
      [&] {
        if (view.CanUndo())
          undo();
      },
      type);
  checks.Expect(view.Lines()[middle] == "x" + line, what + ": x typed at the line's start");
  undo();
  times.undo = bench::MinSeconds(runs, type, undo);
  checks.Expect(view.Lines()[middle] == line, what + ": the typing undone");
  CloseAllDocuments();
  return times;
}

void Run(const Settings& settings, bench::BenchTable& table, bench::Checks& checks) {
  bench::TexOptions options;
  options.bytes = settings.bytes;
  const std::string sjis = bench::GenerateTex(options).text;
  const std::string utf8 = ConvertAnsiToUtf8(sjis);
  options.bytes = settings.smallBytes;
  const std::string small = bench::GenerateTex(options).text;
  const int lineCount = static_cast<int>(bench::CountLineFeeds(sjis));
  bench::TempFile sjisFile(sjis, "quolin-big", ".tex"), utf8File(utf8, "quolin-big-utf8", ".tex");
  bench::TempFile smallFile(small, "quolin-small", ".tex");
  std::printf("Shift-JIS %zu bytes, UTF-8 %zu bytes, %d lines; small %zu bytes\n", sjis.size(),
              utf8.size(), lineCount, small.size());

  RegWriteBool(res::RegSectionFileIO, "Utf8Warning", false);
  TopForm->EditorProp1->SetWordWrap(true);

  double sjisOpen = TimeOpening(sjisFile, lineCount, settings.openRuns, "Shift-JIS", checks);
  table.AddRatio("OpenDocument, wrap on, to the first paint (Shift-JIS)", sjisOpen, "read + scan",
                 ReadAndScan(sjisFile, sjis.size(), settings.typeRuns), 15);
  double utf8Open = TimeOpening(utf8File, lineCount, settings.openRuns, "UTF-8", checks);
  table.AddRatio("OpenDocument, wrap on, to the first paint (UTF-8)", utf8Open, "read + scan",
                 ReadAndScan(utf8File, utf8.size(), settings.typeRuns), 15);

  EditTimes big = TimeEditing(sjisFile, settings.typeRuns, "big document", checks);
  EditTimes little = TimeEditing(smallFile, settings.typeRuns, "small document", checks);
  table.AddRatio("one WM_CHAR mid-text to UpdateWindow, big document", big.type, "the same, small",
                 little.type, 2);
  table.AddRatio("its undo to UpdateWindow, big document", big.undo, "the same, small", little.undo,
                 2);
}

} // namespace

int main(int argc, char** argv) {
  Settings settings;
  if (argc > 1 && std::string(argv[1]) == "--smoke") {
    settings.smoke = true;
    settings.bytes = 256 * 1024;
    settings.openRuns = 1;
    settings.typeRuns = 1;
  }
  bench::BenchTable table;
  bench::Checks checks;
  if (!bench::RunInMainWindow("OpenDocumentBench", checks, [&] { Run(settings, table, checks); }))
    return 2;
  bool met =
      table.Print(settings.smoke ? "open_document (smoke, 256 KB)" : "open_document (10 MB)");
  if (checks.Failed())
    return 2;
  return met || settings.smoke ? 0 : 1;
}
