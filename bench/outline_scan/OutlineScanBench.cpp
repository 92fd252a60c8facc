// The section outline of a big document: the snapshot the tick takes on the user-interface
// thread, the scan the section-update thread runs, the first build and two rebuilds of the
// document's branch, and a scan stopped midway, in the program's own main window. Times stand
// beside baselines of the same run; "--smoke" runs everything once on 1 MB with 500 headings.

#include "app/DocOps.h"
#include "app/DocUnit.h"
#include "app/Outline.h"
#include "app/SecUpdate.h"
#include "app/TopUnit.h"
#include "support/Baselines.h"
#include "support/BenchChecks.h"
#include "support/BenchTable.h"
#include "support/MainWindowRun.h"
#include "support/ScratchUser.h"
#include "support/TempFile.h"
#include "support/TexGenerator.h"
#include "ui/TreeView.h"

#include <benchmark/benchmark.h>
#include <windows.h>

#include <commctrl.h>

#include <array>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using namespace quolin;

constexpr int HeadingImageBase = 5; // a heading's image is its level + 5

struct Settings {
  bool smoke = false;
  size_t bytes = 10 * 1024 * 1024;
  int headings = 5000;
  int runs = 10;    // snapshot, scan, stop and their baselines
  int treeRuns = 5; // the branch's builds and the raw insert
};

// "--smoke": a small input, measured once.
constexpr Settings SmokeSettings{
    .smoke = true, .bytes = 1024 * 1024, .headings = 500, .runs = 1, .treeRuns = 1};

std::vector<std::string> ExpectedEntries(const std::vector<bench::TexHeading>& headings) {
  std::vector<std::string> entries;
  for (const bench::TexHeading& heading : headings)
    entries.push_back(
        MakeOutlineEntry(heading.line, std::to_string(heading.level) + heading.title));
  return entries;
}

// The branch in tree order must be the headings in line order, each under the nearest heading
// before it of a smaller level (the document's node when there is none). Only the last heading
// of each level since the last shallower one can be that parent.
bool BranchHasShape(TTreeNode* branch, const std::vector<bench::TexHeading>& headings) {
  std::array<TTreeNode*, SectionLevels + 1> lastAtLevel{};
  size_t i = 0;
  for (TTreeNode* node = branch->GetFirstChild(); node; node = node->GetNext(), ++i) {
    if (i >= headings.size())
      return false;
    const bench::TexHeading& heading = headings[i];
    TTreeNode* parent = branch;
    for (int level = heading.level - 1; level > 0 && parent == branch; --level)
      if (TTreeNode* open = lastAtLevel[static_cast<size_t>(level)])
        parent = open;
    if (node->Parent() != parent || node->Text() != heading.title ||
        OutlineNodeLine(node) != heading.line ||
        node->ImageIndex() != heading.level + HeadingImageBase)
      return false;
    // A heading closes the deeper ones before it.
    lastAtLevel[static_cast<size_t>(heading.level)] = node;
    for (size_t deeper = static_cast<size_t>(heading.level) + 1; deeper < lastAtLevel.size();
         ++deeper)
      lastAtLevel[deeper] = nullptr;
  }
  return i == headings.size();
}

// A tree view of its own, with redraw off, for the raw insert baseline.
class RawTree {
public:
  explicit RawTree(HWND parent)
      : window_(
            CreateWindowExA(WS_EX_CLIENTEDGE, WC_TREEVIEWA, "",
                            WS_CHILD | WS_VISIBLE | TVS_HASLINES | TVS_LINESATROOT | TVS_HASBUTTONS,
                            0, 0, 200, 400, parent, nullptr, GetModuleHandleA(nullptr), nullptr)) {
    if (!window_)
      throw std::runtime_error("cannot make the bare tree view");
    SendMessageA(window_, WM_SETREDRAW, FALSE, 0);
  }
  ~RawTree() { DestroyWindow(window_); }
  RawTree(const RawTree&) = delete;
  RawTree& operator=(const RawTree&) = delete;

  // Empties the tree but for one item.
  void Reset() {
    SendMessageA(window_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    parent_ = Insert(TVI_ROOT, "document");
  }
  HTREEITEM Insert(HTREEITEM parent, std::string text) {
    TVINSERTSTRUCTA insert{};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM;
    insert.item.pszText = text.data();
    return reinterpret_cast<HTREEITEM>(
        SendMessageA(window_, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
  }
  HTREEITEM Parent() const { return parent_; }

private:
  HWND window_;
  HTREEITEM parent_ = nullptr;
};

void ClearBranch(TTreeNode* branch) {
  TTreeNodes& nodes = TopForm->TreeView_Section->Items();
  nodes.BeginUpdate();
  branch->DeleteChildren();
  nodes.EndUpdate();
}

TDocForm* OpenQuietly(const bench::TempFile& file) {
  if (!OpenDocument(file.Path(), "", false, -1, false, true))
    throw std::runtime_error("cannot open " + file.Path());
  TDocForm* doc = ActiveDoc();
  // The benchmark drives the outline itself: no tick may start a scan of its own.
  StopOutlineScan(*doc);
  doc->Timer_Section->SetEnabled(false);
  doc->Timer_TreeSelect->SetEnabled(false);
  return doc;
}

// The snapshot and the scan; returns the scan's time.
double TimeSnapshotAndScan(TDocForm& doc, const bench::GeneratedTex& tex,
                           const std::vector<std::string>& expected, const Settings& settings,
                           bench::BenchTable& table, bench::Checks& checks) {
  TSectionScanInput input;
  double snapshot = bench::MinSeconds(
      settings.runs, [&] { input = {}; }, [&] { input = SectionScanInput(doc); });
  std::string copy(input.Text.size(), '\0');
  double scanCopy = bench::MinSeconds(settings.runs, [&] {
    benchmark::DoNotOptimize(bench::CountLineFeeds(input.Text));
    std::memcpy(copy.data(), input.Text.data(), input.Text.size());
    benchmark::ClobberMemory();
  });
  table.AddRatio("snapshot on the user-interface thread", snapshot, "scan + copy", scanCopy, 10);

  std::atomic<bool> stop{false};
  std::optional<std::vector<std::string>> entries;
  double scan = bench::MinSeconds(
      settings.runs, [&] { entries = ScanSections(input, [&] { return stop.load(); }); });
  double classify = bench::MinSeconds(
      settings.runs, [&] { benchmark::DoNotOptimize(bench::CountLeadBytes(input.Text)); });
  table.AddRatio("scan as the section-update thread runs it", scan, "classify", classify, 40);
  checks.Expect(entries && *entries == expected,
                "the scan finds every heading with its line and level");

  int lines = static_cast<int>(bench::CountLineFeeds(tex.text));
  int asked = 0;
  checks.Expect(!ScanSections(input, [&] { return ++asked > lines / 2; }),
                "a scan stopped midway gives nothing");
  return scan;
}

void TimeBranchBuilds(TDocForm& doc, const std::vector<bench::TexHeading>& headings,
                      const std::vector<std::string>& entries, const Settings& settings,
                      bench::BenchTable& table, bench::Checks& checks) {
  TTreeNode* branch = doc.OutlineNode;
  RawTree raw(TopForm->Handle());
  double rawInsert = bench::MinSeconds(
      settings.treeRuns, [&] { raw.Reset(); },
      [&] {
        for (const bench::TexHeading& heading : headings)
          raw.Insert(raw.Parent(), heading.title);
      });

  int writes = 0;
  double first = bench::MinSeconds(
      settings.treeRuns, [&] { ClearBranch(branch); },
      [&] { writes = UpdateOutlineTree(entries, branch, false); });
  table.AddRatio("first build of the branch", first, "raw insert", rawInsert, 6);
  checks.Expect(writes == static_cast<int>(entries.size()), "the first build writes every node");
  checks.Expect(BranchHasShape(branch, headings), "the branch has the headings' shape");

  double same = bench::MinSeconds(settings.treeRuns,
                                  [&] { writes = UpdateOutlineTree(entries, branch, false); });
  table.AddRatio("rebuild with no change", same, "raw insert", rawInsert, 0.5);
  checks.Expect(writes == 0, "an unchanged rebuild writes no node");

  std::vector<std::string> renamed = entries;
  renamed[renamed.size() / 2] += "改";
  double rename = bench::MinSeconds(
      settings.treeRuns, [&] { UpdateOutlineTree(entries, branch, false); },
      [&] { writes = UpdateOutlineTree(renamed, branch, false); });
  table.AddRatio("rebuild after one heading is renamed", rename, "raw insert", rawInsert, 0.5);
  checks.Expect(writes == 1, "a renamed heading writes one node");
}

// A real section-update thread asked to stop about halfway through its scan, until WaitFor
// returns; its result must never reach the tree.
void TimeStop(TDocForm& doc, double scan, const Settings& settings, bench::BenchTable& table,
              bench::Checks& checks) {
  ClearBranch(doc.OutlineNode);
  TSectionScanInput input = SectionScanInput(doc);
  std::unique_ptr<TSecUpdate> thread;
  auto startAndWait = [&] {
    thread = std::make_unique<TSecUpdate>(doc, input);
    thread->Start();
    Sleep(static_cast<DWORD>(scan * 1000 / 2));
  };
  double stop = bench::MinSeconds(settings.runs, startAndWait, [&] {
    thread->Terminate();
    thread->WaitFor();
  });
  thread.reset();
  bench::PumpMessages();
  table.AddRatio("stop requested mid-scan until WaitFor returns", stop, "the full scan", scan,
                 0.25);
  checks.Expect(!doc.OutlineNode->HasChildren(),
                "a stopped thread's result never reaches the tree");
}

void Run(const Settings& settings, bench::BenchTable& table, bench::Checks& checks) {
  bench::TexOptions options;
  options.bytes = settings.bytes;
  options.headings = settings.headings;
  const bench::GeneratedTex tex = bench::GenerateTex(options);
  const std::vector<std::string> expected = ExpectedEntries(tex.headings);
  std::array<int, SectionLevels + 1> perLevel{};
  for (const bench::TexHeading& heading : tex.headings)
    ++perLevel[static_cast<size_t>(heading.level)];
  std::printf("%zu bytes, %zu lines, %zu headings; levels 1-7:", tex.text.size(),
              bench::CountLineFeeds(tex.text), tex.headings.size());
  for (int level = 1; level <= SectionLevels; ++level)
    std::printf(" %d", perLevel[static_cast<size_t>(level)]);
  std::printf("\n");
  bench::TempFile file(tex.text, "quolin-outline", ".tex");

  TopForm->Settings.Edit2Option.SectionViewLevel = SectionLevels;
  TopForm->ShowOutlinePanel(true, 0);
  TDocForm* doc = OpenQuietly(file);
  double scan = TimeSnapshotAndScan(*doc, tex, expected, settings, table, checks);
  TimeBranchBuilds(*doc, tex.headings, expected, settings, table, checks);
  TimeStop(*doc, scan, settings, table, checks);
  doc->Free();
  bench::PumpMessages();
}

} // namespace

int main(int argc, char** argv) {
  const Settings settings = bench::SmokeAsked(argc, argv) ? SmokeSettings : Settings{};
  return bench::MainWindowBenchMain("OutlineScanBench", settings.smoke,
                                    settings.smoke ? "outline_scan (smoke, 1 MB, 500 headings)"
                                                   : "outline_scan (10 MB, 5,000 headings)",
                                    std::bind_front(Run, settings));
}
