#include "shell/ShellNotify.h"

#include "core/Paths.h"
#include "core/Platform.h"
#include "ui/Application.h"

namespace quolin {

namespace {

// Places of the directory watcher's wait; the folders' notifications follow the three events.
constexpr int kTerminate = 0;
constexpr int kDevice = 1;
constexpr int kRebuild = 2;
constexpr int kFirstFolder = 3;
// Places of the files watcher's wait.
constexpr int kFolderChanged = 1;
constexpr int kNotification = 2;

// Sets an event when it goes out of scope, however it leaves.
class TSetOnExit {
public:
  explicit TSetOnExit(HANDLE event) : event_(event) {}
  ~TSetOnExit() { SetEvent(event_); }
  TSetOnExit(const TSetOnExit&) = delete;
  TSetOnExit& operator=(const TSetOnExit&) = delete;

private:
  HANDLE event_;
};

// The folders of the list that exist, each with a trailing "\", at most limit of them.
TStringList ExistingFolders(const TStrings* folders, int limit) {
  TStringList existing;
  for (int i = 0; folders && i < folders->Count() && existing.Count() < limit; ++i) {
    if (DirectoryExists(folders->Get(i)))
      existing.Add(IncludeTrailingPathDelimiter(folders->Get(i)));
  }
  return existing;
}

// Marks the handler's run, however it leaves.
class TDelivering {
public:
  explicit TDelivering(bool& flag) : flag_(flag) { flag_ = true; }
  ~TDelivering() { flag_ = false; }
  TDelivering(const TDelivering&) = delete;
  TDelivering& operator=(const TDelivering&) = delete;

private:
  bool& flag_;
};

} // namespace

TShWatcherThread::TShWatcherThread(TNotifyEvent onTerminate, HANDLE opened) : opened_(opened) {
  FreeOnTerminate = true;
  OnTerminate = std::move(onTerminate);
}

void TShWatcherThread::Deliver(const std::function<void()>& call) {
  Synchronize([this, &call] { Guard(this, call); });
}

void TShWatcherThread::SignalTerminate() {
  Terminate();
  terminate_.Set();
}

int TShWatcherThread::WaitAny(const std::vector<HANDLE>& handles, DWORD timeoutMs) {
  DWORD result =
      WaitForMultipleObjects(static_cast<DWORD>(handles.size()), handles.data(), FALSE, timeoutMs);
  if (result == WAIT_TIMEOUT)
    return WaitTimedOut;
  if (result >= WAIT_OBJECT_0 + handles.size())
    return WaitFailed;
  return static_cast<int>(result - WAIT_OBJECT_0);
}

TShDirWatcher* TShDirWatcher::Create(const TStrings* folders, DWORD filter,
                                     TDeviceChangeEvent onDeviceChange, TDirChangeEvent onChange,
                                     TNotifyEvent onTerminate, DWORD changeQuietMs,
                                     DWORD deviceQuietMs) {
  TWin32Event opened(true);
  return AwaitOpened(new TShDirWatcher(folders, filter, std::move(onDeviceChange),
                                       std::move(onChange), std::move(onTerminate), changeQuietMs,
                                       deviceQuietMs, opened.Handle()),
                     opened);
}

TShDirWatcher::TShDirWatcher(const TStrings* folders, DWORD filter,
                             TDeviceChangeEvent onDeviceChange, TDirChangeEvent onChange,
                             TNotifyEvent onTerminate, DWORD changeQuietMs, DWORD deviceQuietMs,
                             HANDLE opened)
    : TShWatcherThread(std::move(onTerminate), opened), OnChange(std::move(onChange)),
      OnDeviceChange(std::move(onDeviceChange)), filter_(filter), changeQuietMs_(changeQuietMs),
      deviceQuietMs_(deviceQuietMs), folders_(ExistingFolders(folders, MaxFolders)) {
  Start();
}

TStringList TShDirWatcher::Folders() const {
  TLock lock(lock_);
  return folders_;
}

bool TShDirWatcher::Changing() const {
  TLock lock(lock_);
  return changing_;
}

void TShDirWatcher::SetChanging(bool changing) {
  TLock lock(lock_);
  changing_ = changing;
}

void TShDirWatcher::SetFolders(const TStrings* folders) {
  TStringList existing = ExistingFolders(folders, MaxFolders);
  TLock lock(lock_);
  if (folders && existing.Equals(folders_))
    return;
  folders_ = existing;
  rebuild_.Set();
}

void TShDirWatcher::PostDeviceChange(std::unique_ptr<TDeviceChangeData> notice) {
  if (!OnDeviceChange)
    return;
  pendingNotice_ = std::move(notice);
  device_.Set();
}

void TShDirWatcher::Stop() {
  OnChange = nullptr;
  OnDeviceChange = nullptr;
  pendingNotice_.reset();
  SignalTerminate();
}

// One wait serves every state: with a change seen it times out after the quiet period and
// reports; a device notice or a new folder list in between keeps the change waiting for its
// report. Failures end the watching here: the owner learns of it through OnTerminate.
void TShDirWatcher::Execute() {
  std::vector<TChangeNotification> changes;
  bool changeSeen = false;
  bool watching = false;
  {
    TSetOnExit opened(opened_);
    watching = Rebuild(changes);
  }
  while (watching) {
    SetChanging(changeSeen);
    std::vector<HANDLE> handles = {terminate_.Handle(), device_.Handle(), rebuild_.Handle()};
    for (const TChangeNotification& change : changes)
      handles.push_back(change.Handle());
    int signalled = WaitAny(handles, changeSeen ? changeQuietMs_ : INFINITE);
    if (signalled == WaitTimedOut) {
      Deliver([this] {
        if (TDirChangeEvent handler = OnChange)
          handler(this);
      });
      changeSeen = false;
    } else if (signalled == kDevice) {
      watching = AwaitDeviceQuiet();
    } else if (signalled == kRebuild) {
      watching = Rebuild(changes);
    } else if (signalled >= kFirstFolder) {
      changeSeen = true;
      watching = changes[static_cast<size_t>(signalled - kFirstFolder)].Next();
    } else {
      watching = false; // terminate, or a failed wait
    }
  }
  SetChanging(false);
}

// Opens a notification per folder, from the last to the first; a folder that cannot be
// watched leaves the list. False when an old notification failed to close.
bool TShDirWatcher::Rebuild(std::vector<TChangeNotification>& changes) {
  bool closed = true;
  for (TChangeNotification& change : changes)
    closed = change.Close() && closed;
  changes.clear();
  if (!closed)
    return false;
  TLock lock(lock_);
  for (int i = folders_.Count() - 1; i >= 0; --i) {
    TChangeNotification change(folders_[i], true, filter_);
    if (change.Valid())
      changes.push_back(std::move(change));
    else
      folders_.Delete(i);
  }
  return true;
}

// Each notice within the quiet period starts it again; then the newest is delivered. False
// when the thread is to end.
bool TShDirWatcher::AwaitDeviceQuiet() {
  const std::vector<HANDLE> handles = {terminate_.Handle(), device_.Handle()};
  int signalled = kDevice;
  while (signalled == kDevice)
    signalled = WaitAny(handles, deviceQuietMs_);
  if (signalled != WaitTimedOut)
    return false;
  Deliver([this] {
    std::unique_ptr<TDeviceChangeData> notice = std::move(pendingNotice_);
    if (TDeviceChangeEvent handler = OnDeviceChange; handler && notice)
      handler(this, *notice);
  });
  return true;
}

TShFilesWatcher* TShFilesWatcher::Create(const std::string& folder, DWORD filter,
                                         TFolderChangeEvent onChange, TNotifyEvent onTerminate,
                                         DWORD quietMs) {
  TWin32Event opened(true);
  return AwaitOpened(new TShFilesWatcher(folder, filter, std::move(onChange),
                                         std::move(onTerminate), quietMs, opened.Handle()),
                     opened);
}

TShFilesWatcher::TShFilesWatcher(const std::string& folder, DWORD filter,
                                 TFolderChangeEvent onChange, TNotifyEvent onTerminate,
                                 DWORD quietMs, HANDLE opened)
    : TShWatcherThread(std::move(onTerminate), opened), OnChange(std::move(onChange)),
      filter_(filter), quietMs_(quietMs), folder_(DirectoryExists(folder) ? folder : "") {
  Start();
}

std::string TShFilesWatcher::Folder() const {
  TLock lock(lock_);
  return folder_;
}

// Returns once the thread watches the new folder, so that a change made afterwards is seen; a
// handler's own call cannot wait for the thread that waits for the handler.
void TShFilesWatcher::SetFolder(const std::string& path) {
  {
    TLock lock(lock_);
    if (path == folder_)
      return;
    folder_ = DirectoryExists(path) ? path : "";
    ResetEvent(folderTaken_.Handle());
    folderChanged_.Set();
  }
  if (!delivering_)
    WaitSynchronizing(folderTaken_.Handle());
}

void TShFilesWatcher::Stop() {
  OnChange = nullptr;
  SignalTerminate();
}

// As the directory watcher's loop, with one folder. The notification stays armed through a
// report, so that a change made meanwhile is reported too.
void TShFilesWatcher::Execute() {
  TSetOnExit ended(folderTaken_.Handle());
  TChangeNotification change;
  {
    TSetOnExit opened(opened_);
    change = Open();
  }
  bool changeSeen = false;
  bool watching = true;
  while (watching) {
    std::vector<HANDLE> handles = {terminate_.Handle(), folderChanged_.Handle()};
    if (change.Valid())
      handles.push_back(change.Handle());
    int signalled = WaitAny(handles, changeSeen ? quietMs_ : INFINITE);
    if (signalled == kNotification && change.Next()) {
      changeSeen = true;
      continue;
    }
    changeSeen = false;
    if (signalled == WaitTimedOut) {
      // The report names the folder the change was seen in. SetFolder may have moved the
      // watcher on while the report was on its way (a handler's refresh stops the watching of
      // both watchers of a list first): the report is then stale and calls nothing, or the
      // owner would take the new folder, "" among them, for the one that changed.
      const std::string folder = watched_;
      Deliver([this, &folder] {
        TDelivering delivering(delivering_);
        if (TFolderChangeEvent handler = OnChange; handler && folder == Folder())
          handler(this, folder);
      });
      continue;
    }
    // A failed re-arm counts as a change of folder.
    watching = (signalled == kFolderChanged || signalled == kNotification) && Reopen(change);
    if (signalled == kFolderChanged)
      folderTaken_.Set();
  }
}

TChangeNotification TShFilesWatcher::Open() {
  TLock lock(lock_);
  watched_.clear();
  if (folder_.empty() || !DirectoryExists(folder_))
    return {};
  TChangeNotification change(folder_, false, filter_);
  if (change.Valid())
    watched_ = folder_;
  return change;
}

bool TShFilesWatcher::Reopen(TChangeNotification& change) {
  if (!change.Close())
    return false;
  change = Open();
  return true;
}

} // namespace quolin
