// The folder watcher threads on temporary folders. A quiet period is a lower bound: no report
// comes before it has passed since the last change. Reports are awaited with a generous limit
// (the machine may be loaded), and silence is never awaited: a later report is the marker.
#include "shell/ShellNotify.h"

#include "common/TempFolder.h"
#include "core/Exceptions.h"
#include "core/Paths.h"
#include "ui/Application.h"
#include "support/UiTest.h"

#include <gtest/gtest.h>

#include <set>

using namespace quolin;
using quolin::test_support::TempFolder;

namespace {

// Handles messages and hand-overs for a while: the watchers' quiet periods are part of what is
// tested.
void PumpFor(DWORD milliseconds) {
  uitest::PumpUntil([] { return false; }, milliseconds);
}

constexpr DWORD kQuietMs = 200;
// Time for a worker to reopen its notifications after its folders changed; should it be late,
// the change is made again.
constexpr DWORD kSettleMs = 200;
// How long a report may take beyond its quiet period.
constexpr DWORD kLimitMs = 10000;

// Milliseconds of the performance counter: a tick would blur a lower bound.
double NowMs() {
  LARGE_INTEGER count, frequency;
  QueryPerformanceCounter(&count);
  QueryPerformanceFrequency(&frequency);
  return count.QuadPart * 1000.0 / frequency.QuadPart;
}

struct Report {
  double at;
  std::string text; // the folder, or the notice's name
};

class TCountedNotice : public TDeviceChangeData {
public:
  TCountedNotice(const std::string& name, int* freed) : freed_(freed) { Name = name; }
  ~TCountedNotice() override { ++*freed_; }

private:
  int* freed_;
};

TStringList ListOf(std::initializer_list<std::string> folders) {
  TStringList list;
  for (const std::string& folder : folders)
    list.Add(folder);
  return list;
}

class ShellWatcher : public testing::Test {
protected:
  // Every watcher is stopped, and its end awaited, before the folders go.
  ~ShellWatcher() override {
    for (TShWatcherThread* watcher : live_)
      watcher->Stop();
    EXPECT_TRUE(uitest::PumpUntil([this] { return live_.empty(); }, kLimitMs));
  }

  TShFilesWatcher* WatchFiles(const std::string& folder, DWORD quietMs = kQuietMs) {
    return Watched(TShFilesWatcher::Create(
        folder, FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME,
        [this](TShFilesWatcher*, const std::string& changed) { Record(changed); }, Forget(),
        quietMs));
  }
  TShDirWatcher* WatchFolders(const TStrings* folders, DWORD quietMs = kQuietMs,
                              DWORD deviceQuietMs = kQuietMs) {
    return Watched(TShDirWatcher::Create(
        folders, FILE_NOTIFY_CHANGE_DIR_NAME,
        [this](TShDirWatcher*, TDeviceChangeData& notice) { Record(notice.Name); },
        [this](TShDirWatcher*) { Record(""); }, Forget(), quietMs, deviceQuietMs));
  }

  void Record(const std::string& text) { reports_.push_back({NowMs(), text}); }
  bool AwaitReports(size_t count, DWORD quietMs = kQuietMs) {
    return uitest::PumpUntil([&] { return reports_.size() >= count; }, quietMs + kLimitMs);
  }
  // Just after its folders changed a watcher may not watch them yet.
  void ChangeUntilReported(const std::function<void()>& change) {
    PumpFor(kSettleMs);
    size_t count = reports_.size() + 1;
    for (int attempt = 0; attempt < 3; ++attempt) {
      change();
      if (AwaitReports(count))
        return;
    }
    FAIL() << "no report after three changes";
  }

  // Both answer the time just before the change.
  double MakeFile(const std::string& folder) { return Make(folder, false); }
  double MakeFolder(const std::string& folder) { return Make(folder, true); }
  std::string Folder(const std::string& name) {
    std::string folder = temp_ / name;
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
  }

  // A report waits in the hand-over while this thread handles no messages: Stop then lets it
  // call nothing, and the thread ends.
  void ExpectStopSilencesAWaitingReport(TShWatcherThread* watcher,
                                        const std::function<void()>& change) {
    HANDLE handedOver = Application->SyncEvent();
    WaitForSingleObject(handedOver, 0); // forget an earlier hand-over
    change();
    ASSERT_EQ(WaitForSingleObject(handedOver, kQuietMs + kLimitMs), WAIT_OBJECT_0);
    StopAndAwaitTheEnd(watcher);
    EXPECT_TRUE(reports_.empty());
  }
  void StopAndAwaitTheEnd(TShWatcherThread* watcher) {
    watcher->Stop();
    EXPECT_TRUE(uitest::PumpUntil([&] { return !live_.count(watcher); }, kLimitMs))
        << "OnTerminate ran";
  }

  TempFolder temp_{"監視"};
  const std::string root_ = ExcludeTrailingPathDelimiter(temp_.Path());
  std::vector<Report> reports_;

private:
  double Make(const std::string& folder, bool subfolder) {
    double at = NowMs();
    std::string name = folder + "\\" + std::to_string(++made_);
    if (subfolder)
      CreateDirectoryA(name.c_str(), nullptr);
    else
      TempFolder::WriteFile(name, "");
    return at;
  }
  template <typename T> T* Watched(T* watcher) {
    live_.insert(watcher);
    return watcher;
  }
  TNotifyEvent Forget() {
    return [this](TObject* sender) { live_.erase(dynamic_cast<TShWatcherThread*>(sender)); };
  }

  std::set<TShWatcherThread*> live_;
  int made_ = 0;
};

TEST_F(ShellWatcher, FilesWatcherReportsABurstOnceAfterItsQuietPeriod) {
  constexpr DWORD kDefaultMs = TShFilesWatcher::DefaultQuietMs;
  WatchFiles(root_, kDefaultMs);
  double last = 0;
  for (int i = 0; i < 100; ++i)
    last = MakeFile(root_);
  ASSERT_TRUE(AwaitReports(1, kDefaultMs));
  EXPECT_GE(reports_[0].at - last, kDefaultMs);
  EXPECT_EQ(reports_[0].text, root_);

  double single = MakeFile(root_);
  ASSERT_TRUE(AwaitReports(2, kDefaultMs));
  EXPECT_EQ(reports_.size(), 2u) << "one report of the burst, one of the later change";
  EXPECT_GE(reports_[1].at - single, kDefaultMs);
}

TEST_F(ShellWatcher, FilesWatcherOfAMissingFolderIdlesUntilAValidSetFolder) {
  std::string missing = temp_ / "後で";
  std::string other = Folder("他");
  TShFilesWatcher* watcher = WatchFiles(missing);
  EXPECT_EQ(watcher->Folder(), "");
  // Made once the watcher idles: a report of it would come before the marker.
  CreateDirectoryA(missing.c_str(), nullptr);
  MakeFile(missing);
  PumpFor(kQuietMs + 1000);
  double set = NowMs();
  watcher->SetFolder(other);
  EXPECT_EQ(watcher->Folder(), other);
  ChangeUntilReported([&] { MakeFile(other); });
  for (const Report& report : reports_) {
    EXPECT_EQ(report.text, other);
    EXPECT_GE(report.at, set);
  }
}

TEST_F(ShellWatcher, StopWhileAReportWaitsInTheHandOverCallsNothing) {
  std::string files = Folder("一覧");
  ExpectStopSilencesAWaitingReport(WatchFiles(files), [&] { MakeFile(files); });
  std::string tree = Folder("木");
  TStringList folders = ListOf({tree});
  ExpectStopSilencesAWaitingReport(WatchFolders(&folders), [&] { MakeFolder(tree); });
}

// A list's refresh stops the watching of both its watchers while one of them reports: the
// other's report, already on its way, must not name the folder it was moved to ("" among
// them, which the list would take for a removed folder).
TEST_F(ShellWatcher, AReportOnItsWayWhenSetFolderMovesTheWatcherCallsNothing) {
  std::string first = Folder("前");
  std::string second = Folder("後");
  TShFilesWatcher* watcher = WatchFiles(first);
  HANDLE handedOver = Application->SyncEvent();
  WaitForSingleObject(handedOver, 0); // forget an earlier hand-over
  MakeFile(first);
  ASSERT_EQ(WaitForSingleObject(handedOver, kQuietMs + kLimitMs), WAIT_OBJECT_0);
  SetEvent(handedOver); // SetFolder runs the waiting report while it waits for the worker
  watcher->SetFolder("");
  EXPECT_TRUE(reports_.empty()) << reports_.front().text;
  watcher->SetFolder(second);
  ChangeUntilReported([&] { MakeFile(second); });
  for (const Report& report : reports_)
    EXPECT_EQ(report.text, second);
}

TEST_F(ShellWatcher, HandlersMaySetTheFolderAndFailWithoutEndingTheWatching) {
  uitest::DialogRecorder dialogs;
  std::string first = Folder("一");
  std::string second = Folder("二");
  TShFilesWatcher* watcher = WatchFiles(first);
  // The worker holds no lock while it waits for the handler: SetFolder does not wait.
  watcher->OnChange = [&](TShFilesWatcher* sender, const std::string& folder) {
    Record(folder);
    sender->SetFolder(second);
    throw EInvalidOperation("一覧を読めません");
  };
  MakeFile(first);
  ASSERT_TRUE(AwaitReports(1));
  EXPECT_EQ(watcher->Folder(), second);
  ChangeUntilReported([&] { MakeFile(second); });
  EXPECT_EQ(reports_.back().text, second);
  ASSERT_EQ(dialogs.calls.size(), 2u) << "each failure reported once";
  EXPECT_EQ(dialogs.calls[0].text, "一覧を読めません");
}

TEST_F(ShellWatcher, DirWatcherReportsANewFolderAfterItsQuietPeriodButNoNewFile) {
  constexpr DWORD kDefaultMs = TShDirWatcher::DefaultChangeQuietMs;
  TStringList folders = ListOf({root_});
  WatchFolders(&folders, kDefaultMs, TShDirWatcher::DefaultDeviceQuietMs);
  // A report of the file would come before the folder is made.
  MakeFile(root_);
  PumpFor(kDefaultMs + 1000);
  double made = MakeFolder(root_);
  ASSERT_TRUE(AwaitReports(1, kDefaultMs));
  EXPECT_GE(reports_[0].at - made, kDefaultMs);

  made = MakeFolder(root_);
  ASSERT_TRUE(AwaitReports(2, kDefaultMs));
  EXPECT_EQ(reports_.size(), 2u) << "one report for each folder";
  EXPECT_GE(reports_[1].at - made, kDefaultMs);
}

TEST_F(ShellWatcher, DirWatcherTakesTheFirstExistingFoldersWithADelimiter) {
  std::string first = Folder("甲");
  std::string second = Folder("乙");
  TStringList given = ListOf({first, temp_ / "無い", second + "\\"});
  TShDirWatcher* watcher = WatchFolders(&given);
  EXPECT_EQ(watcher->Folders().Text(), first + "\\\r\n" + second + "\\\r\n");

  TStringList many;
  for (int i = 0; i <= TShDirWatcher::MaxFolders; ++i)
    many.Add(Folder("多" + std::to_string(i)));
  watcher->SetFolders(&many);
  TStringList taken = watcher->Folders();
  ASSERT_EQ(taken.Count(), TShDirWatcher::MaxFolders);
  EXPECT_EQ(taken[TShDirWatcher::MaxFolders - 1], many[TShDirWatcher::MaxFolders - 1] + "\\");

  watcher->SetFolders(nullptr);
  EXPECT_EQ(watcher->Folders().Count(), 0);
}

TEST_F(ShellWatcher, DirWatcherWatchesTheNewListAfterSetFolders) {
  std::string old = Folder("旧");
  std::string fresh = Folder("新");
  TStringList first = ListOf({old});
  TShDirWatcher* watcher = WatchFolders(&first);
  MakeFolder(old);
  ASSERT_TRUE(AwaitReports(1));
  TStringList second = ListOf({fresh});
  watcher->SetFolders(&second);
  ChangeUntilReported([&] { MakeFolder(fresh); });
  reports_.clear();
  // A report of the old folder would come before the new folder's change.
  MakeFolder(old);
  PumpFor(kQuietMs + 1000);
  double made = MakeFolder(fresh);
  ASSERT_TRUE(AwaitReports(1));
  EXPECT_EQ(reports_.size(), 1u);
  EXPECT_GE(reports_[0].at - made, kQuietMs);
}

TEST_F(ShellWatcher, DeviceNoticesWithinTheQuietPeriodGiveOneReportOfTheNewest) {
  constexpr DWORD kDefaultMs = TShDirWatcher::DefaultDeviceQuietMs;
  constexpr DWORD kApartMs = 500;
  int freed = 0;
  TShDirWatcher* watcher = WatchFolders(nullptr, kQuietMs, kDefaultMs);
  // The second notice must come within the first one's quiet period: a round that a loaded
  // machine paused for longer is made again.
  for (int round = 0; round < 3; ++round) {
    reports_.clear();
    double first = NowMs();
    watcher->PostDeviceChange(std::make_unique<TCountedNotice>("一", &freed));
    PumpFor(kApartMs);
    double second = NowMs();
    watcher->PostDeviceChange(std::make_unique<TCountedNotice>("二", &freed));
    ASSERT_TRUE(uitest::PumpUntil([&] { return !reports_.empty() && reports_.back().text == "二"; },
                                  kDefaultMs + kLimitMs));
    if (second - first >= kDefaultMs - 100.0)
      continue;
    ASSERT_EQ(reports_.size(), 1u);
    EXPECT_GE(reports_[0].at - second, kDefaultMs);
    EXPECT_EQ(watcher->PendingNotice(), nullptr);
    EXPECT_EQ(freed, 2 * (round + 1)) << "the replaced notice and the delivered one";
    return;
  }
  GTEST_SKIP() << "the machine never let two notices come " << kApartMs << " ms apart";
}

TEST_F(ShellWatcher, DeviceNoticesAreKeptOnlyWhileSomeoneListens) {
  int freed = 0;
  TShDirWatcher* watcher = WatchFolders(nullptr);
  watcher->OnDeviceChange = nullptr;
  watcher->PostDeviceChange(std::make_unique<TCountedNotice>("甲", &freed));
  EXPECT_EQ(watcher->PendingNotice(), nullptr);
  EXPECT_EQ(freed, 1);

  watcher->OnDeviceChange = [this](TShDirWatcher*, TDeviceChangeData&) { Record("聞いた"); };
  watcher->PostDeviceChange(std::make_unique<TCountedNotice>("乙", &freed));
  ASSERT_NE(watcher->PendingNotice(), nullptr);
  EXPECT_EQ(watcher->PendingNotice()->Name, "乙");
  // Stopped before a hand-over could run: the notice goes, nothing is delivered.
  StopAndAwaitTheEnd(watcher);
  EXPECT_EQ(freed, 2);
  EXPECT_TRUE(reports_.empty());
}

} // namespace
