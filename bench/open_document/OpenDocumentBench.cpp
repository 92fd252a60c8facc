// A big document in the program's own windows: opening a generated Shift-JIS LaTeX file and its
// UTF-8 form with word wrap on until the document window has painted, less the same for a small
// file; opening the small file against a plain MDI child with as many windows; and one typed
// character and its undo until the view has painted, in the big document, in a small one and in
// the platform's multi-line EDIT control. Times stand beside baselines of the same run;
// "--smoke" runs everything once on 256 KB.

#include "app/DocOps.h"
#include "app/DocUnit.h"
#include "app/TopUnit.h"
#include "common/Registry.h"
#include "core/ByteKinds.h"
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
#include <functional>
#include <stdexcept>
#include <string>

namespace {

using namespace quolin;

struct Settings {
  bool smoke = false;
  bool trace = false;
  size_t bytes = 10 * 1024 * 1024;
  size_t smallBytes = 10 * 1024;
  int openRuns = 5;
  int typeRuns = 20;
};

// "--smoke": a small input, measured once.
constexpr Settings SmokeSettings{.smoke = true, .bytes = 256 * 1024, .openRuns = 1, .typeRuns = 1};
// "--trace": one small opening and one baseline child between marks in a server log.
constexpr Settings TraceSettings{.trace = true, .bytes = 10 * 1024};

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

// The window classes of the fixed-cost baseline: a frame child and plain children.
constexpr char BaselineChildClass[] = "OpenDocumentBenchMdiChild";
constexpr char BaselinePlainClass[] = "OpenDocumentBenchPlain";

void RegisterBaselineClasses() {
  for (const char* name : {BaselineChildClass, BaselinePlainClass}) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = name == BaselineChildClass ? DefMDIChildProcA : DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = name;
    RegisterClassA(&windowClass);
  }
}

BOOL CALLBACK CountWindow(HWND, LPARAM counter) {
  ++*reinterpret_cast<int*>(counter);
  return TRUE;
}

int CountDescendants(HWND window) {
  int count = 0;
  EnumChildWindows(window, CountWindow, reinterpret_cast<LPARAM>(&count));
  return count;
}

// An MDI child of the main window holding children plain windows, created, shown and painted
// once.
HWND MakePlainMdiChild(int children) {
  MDICREATESTRUCTA create{};
  create.szClass = BaselineChildClass;
  create.szTitle = "baseline";
  create.hOwner = GetModuleHandleA(nullptr);
  create.x = create.y = create.cx = create.cy = CW_USEDEFAULT;
  create.style = WS_CHILD | WS_CLIPCHILDREN;
  auto child = reinterpret_cast<HWND>(
      SendMessageA(TopForm->ClientHandle(), WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&create)));
  for (int i = 0; i < children; ++i)
    CreateWindowExA(0, BaselinePlainClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, i * 3,
                    i * 3, 200, 100, child, nullptr, GetModuleHandleA(nullptr), nullptr);
  ShowWindow(child, SW_SHOWNORMAL);
  PaintNow(child);
  return child;
}

void DestroyMdiChild(HWND& child) {
  if (child)
    SendMessageA(TopForm->ClientHandle(), WM_MDIDESTROY, reinterpret_cast<WPARAM>(child), 0);
  child = nullptr;
  bench::PumpMessages();
}

// The plain MDI child made, destroyed untimed.
double TimePlainMdiChild(int children, int runs) {
  HWND child = nullptr;
  double seconds = bench::MinSeconds(runs, [&] { DestroyMdiChild(child); },
                                     [&] { child = MakePlainMdiChild(children); });
  DestroyMdiChild(child);
  return seconds;
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

// The small text in the platform's multi-line EDIT control, in a window of the view's size: one
// "x" typed mid-line until its redraw returns, then its undo the same way.
EditTimes TimeEditControl(const std::string& text, int line, SIZE size, int runs,
                          bench::Checks& checks) {
  HWND edit = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "",
                              WS_OVERLAPPED | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE |
                                  ES_AUTOVSCROLL | ES_WANTRETURN,
                              0, 0, size.cx, size.cy, nullptr, nullptr, GetModuleHandleA(nullptr),
                              nullptr);
  SendMessageA(edit, EM_SETLIMITTEXT, 0, 0);
  SetWindowTextA(edit, text.c_str());
  size_t lineStart = 0;
  for (int i = 0; i < line; ++i)
    lineStart = text.find('\n', lineStart) + 1;
  int at = static_cast<int>(lineStart) + 3;
  SendMessageA(edit, EM_SETSEL, at, at);
  SendMessageA(edit, EM_SCROLLCARET, 0, 0);
  PaintNow(edit);
  auto type = [&] {
    SendMessageA(edit, EM_SETSEL, at, at);
    SendMessageA(edit, WM_CHAR, 'x', 0);
    PaintNow(edit);
  };
  auto undo = [&] {
    SendMessageA(edit, EM_UNDO, 0, 0);
    PaintNow(edit);
  };
  // Each step starts from the text as it was set: the control's one level of undo would
  // otherwise take back its own undo.
  auto reset = [&] { SetWindowTextA(edit, text.c_str()); };
  EditTimes times{};
  times.type = bench::MinSeconds(runs, reset, type);
  checks.Expect(GetWindowTextLengthA(edit) == static_cast<int>(text.size()) + 1,
                "EDIT control: x typed");
  times.undo = bench::MinSeconds(runs, [&] { reset(); type(); }, undo);
  checks.Expect(GetWindowTextLengthA(edit) == static_cast<int>(text.size()),
                "EDIT control: the typing undone");
  DestroyWindow(edit);
  return times;
}

// One "x" typed in the middle line as the keyboard sends it, until the view painted; then its
// undo the same way. Each timed step has the other one untimed before it.
EditTimes TimeEditing(const bench::TempFile& file, int runs, const std::string& what,
                      bench::Checks& checks, SIZE* viewSize = nullptr,
                      int* middleLine = nullptr) {
  TDocForm* doc = OpenAndPaint(file);
  TEditor& view = *doc->Editor1;
  if (viewSize)
    *viewSize = SIZE{view.Width(), view.Height()};
  int middle = view.Lines().Count() / 2;
  while (view.Lines()[middle].size() < 4)
    ++middle;
  if (middleLine)
    *middleLine = middle;
  // A few characters in, on a character boundary: a caret set inside a double-byte character
  // would split it.
  const std::string text = view.Lines()[middle];
  size_t at = 0;
  while (at < 3)
    at += IsLead(text[at]) ? 2 : 1;
  doc->GoToLine(middle, view.ColumnOfByte(view.Lines().LinesToRow(middle), at), true);
  PaintNow(doc->Handle());
  const std::string line = view.Lines()[middle];
  const auto offset = static_cast<size_t>(view.RowColToLineOffset(view.Row(), view.Col()));
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
  checks.Expect(offset > 0 && view.Lines()[middle] == line.substr(0, offset) + "x" + line.substr(offset),
                what + ": x typed mid-line");
  undo();
  times.undo = bench::MinSeconds(runs, type, undo);
  checks.Expect(view.Lines()[middle] == line, what + ": the typing undone");
  CloseAllDocuments();
  return times;
}

// Marks a point in a WINEDEBUG=+server log: the atom's name shows in the find_atom request.
void MarkServerLog(const char* mark) {
  GlobalFindAtomA(mark);
}

// One opening of the small file and one baseline child, each between marks in the server log,
// after one untimed of each that loads what the first one pays for once.
void Trace(const bench::TempFile& smallFile) {
  OpenAndPaint(smallFile);
  CloseAllDocuments();
  MarkServerLog("open_document: opening begins");
  OpenAndPaint(smallFile);
  MarkServerLog("open_document: opening ends");
  const int windows = CountDescendants(ActiveDoc()->Handle());
  CloseAllDocuments();
  RegisterBaselineClasses();
  HWND child = MakePlainMdiChild(windows);
  DestroyMdiChild(child);
  MarkServerLog("open_document: baseline begins");
  child = MakePlainMdiChild(windows);
  MarkServerLog("open_document: baseline ends");
  DestroyMdiChild(child);
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
  if (settings.trace) {
    Trace(smallFile);
    return;
  }

  TDocForm* probe = OpenAndPaint(smallFile);
  const int windows = CountDescendants(probe->Handle());
  CloseAllDocuments();
  const int smallLines = static_cast<int>(bench::CountLineFeeds(small));
  double smallOpen = TimeOpening(smallFile, smallLines, settings.openRuns, "small", checks);
  double sjisOpen = TimeOpening(sjisFile, lineCount, settings.openRuns, "Shift-JIS", checks);
  double utf8Open = TimeOpening(utf8File, lineCount, settings.openRuns, "UTF-8", checks);
  RegisterBaselineClasses();
  table.AddRatio("OpenDocument of the small file, wrap on, to the first paint", smallOpen,
                 "MDI child of " + std::to_string(windows) + " plain windows, painted",
                 TimePlainMdiChild(windows, settings.openRuns), 2);
  table.AddRatio("OpenDocument, wrap on, to the first paint, less the small file's (Shift-JIS)",
                 sjisOpen - smallOpen, "read + scan",
                 ReadAndScan(sjisFile, sjis.size(), settings.typeRuns), 6);
  table.AddRatio("OpenDocument, wrap on, to the first paint, less the small file's (UTF-8)",
                 utf8Open - smallOpen, "read + scan",
                 ReadAndScan(utf8File, utf8.size(), settings.typeRuns), 8);

  EditTimes big = TimeEditing(sjisFile, settings.typeRuns, "big document", checks);
  SIZE viewSize{};
  int line = 0;
  EditTimes little =
      TimeEditing(smallFile, settings.typeRuns, "small document", checks, &viewSize, &line);
  EditTimes edit = TimeEditControl(small, line, viewSize, settings.typeRuns, checks);
  table.AddRatio("one WM_CHAR mid-text to UpdateWindow, big document", big.type, "the same, small",
                 little.type, 2);
  table.AddRatio("its undo to UpdateWindow, big document", big.undo, "the same, small", little.undo,
                 2);
  table.AddRatio("one WM_CHAR mid-line to UpdateWindow, small document", little.type,
                 "the same in an EDIT control", edit.type, 0.2);
  table.AddRatio("its undo to UpdateWindow, small document", little.undo,
                 "the same in an EDIT control", edit.undo, 0.2);
}

} // namespace

int main(int argc, char** argv) {
  Settings settings = bench::SmokeAsked(argc, argv) ? SmokeSettings : Settings{};
  if (argc > 1 && std::string(argv[1]) == "--trace")
    settings = TraceSettings;
  return bench::MainWindowBenchMain("OpenDocumentBench", settings.smoke,
                                    settings.smoke ? "open_document (smoke, 256 KB)"
                                                   : "open_document (10 MB)",
                                    std::bind_front(Run, settings));
}
