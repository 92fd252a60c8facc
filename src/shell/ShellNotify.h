// Worker threads that tell the shell controls that the file system changed under them, without
// polling. Each waits on change notifications and reports a burst of changes once, after a
// quiet period, by handing the call to the user-interface thread and waiting until it ran
// there. A watcher is made running and frees itself when it ends: its owner calls Stop and
// forgets it then, or in OnTerminate (which runs on the user-interface thread).
//
// The user-interface thread alone calls the public functions and reads and writes the On...
// methods; the worker reads the folder data under the critical section and never holds it
// while it waits for the hand-over (a SetFolder in a handler would wait for it forever).
#pragma once

#include "core/StringList.h"
#include "shell/ShellDbt.h"
#include "shell/SyncObjects.h"
#include "ui/Thread.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace quolin {

// What both watchers share: the terminate event, the lock and the guarded hand-over.
class TShWatcherThread : public TThread {
public:
  // Clears the watcher's methods, then asks it to end; a report on its way calls nothing.
  virtual void Stop() = 0;

protected:
  static constexpr int WaitTimedOut = -1;
  static constexpr int WaitFailed = -2;

  // opened is set once the first notifications are open (or the thread ended before).
  TShWatcherThread(TNotifyEvent onTerminate, HANDLE opened);
  // Create returns once the watcher watches: a change made after it is reported.
  template <typename T> static T* AwaitOpened(T* watcher, const TWin32Event& opened) {
    WaitForSingleObject(opened.Handle(), INFINITE);
    return watcher;
  }
  // Runs call on the user-interface thread and waits; an exception in it is reported there and
  // the watching goes on.
  void Deliver(const std::function<void()>& call);
  void SignalTerminate();
  // The index of the signalled handle, WaitTimedOut or WaitFailed.
  static int WaitAny(const std::vector<HANDLE>& handles, DWORD timeoutMs);

  // Create's event: set once by Execute, never touched afterwards.
  const HANDLE opened_;
  TWin32Event terminate_{true};
  mutable TCriticalSection lock_;
};

class TShDirWatcher;
using TDirChangeEvent = std::function<void(TShDirWatcher* sender)>;
using TDeviceChangeEvent = std::function<void(TShDirWatcher* sender, TDeviceChangeData& notice)>;

// Watches folders with their subtrees and carries device notices to its owner, each after its
// own quiet period.
class TShDirWatcher final : public TShWatcherThread {
public:
  static constexpr DWORD DefaultChangeQuietMs = 1500;
  static constexpr DWORD DefaultDeviceQuietMs = 1000;
  // One wait takes at most MAXIMUM_WAIT_OBJECTS handles; three are the events.
  static constexpr int MaxFolders = MAXIMUM_WAIT_OBJECTS - 3;

  // folders may be nil. The tree watches folder names (filter FILE_NOTIFY_CHANGE_DIR_NAME).
  static TShDirWatcher* Create(const TStrings* folders, DWORD filter,
                               TDeviceChangeEvent onDeviceChange, TDirChangeEvent onChange,
                               TNotifyEvent onTerminate = {},
                               DWORD changeQuietMs = DefaultChangeQuietMs,
                               DWORD deviceQuietMs = DefaultDeviceQuietMs);

  TDirChangeEvent OnChange;
  TDeviceChangeEvent OnDeviceChange;

  // The watched folders, each with a trailing "\"; a folder that cannot be watched leaves.
  TStringList Folders() const;
  DWORD Filter() const { return filter_; }
  // A change was seen and its quiet period runs.
  bool Changing() const;
  // The notice not yet delivered; nil when none.
  const TDeviceChangeData* PendingNotice() const { return pendingNotice_.get(); }

  // Takes the existing folders of the list (the first MaxFolders); the thread reopens its
  // notifications when the list differs. Nil watches nothing.
  void SetFolders(const TStrings* folders);
  // Kept only while OnDeviceChange is set; replaces an undelivered older notice.
  void PostDeviceChange(std::unique_ptr<TDeviceChangeData> notice);
  void Stop() override;

private:
  TShDirWatcher(const TStrings* folders, DWORD filter, TDeviceChangeEvent onDeviceChange,
                TDirChangeEvent onChange, TNotifyEvent onTerminate, DWORD changeQuietMs,
                DWORD deviceQuietMs, HANDLE opened);

  void Execute() override;
  bool Rebuild(std::vector<TChangeNotification>& changes);
  bool AwaitDeviceQuiet();
  void SetChanging(bool changing);

  const DWORD filter_;
  const DWORD changeQuietMs_;
  const DWORD deviceQuietMs_;
  TWin32Event device_{false};
  TWin32Event rebuild_{false};
  TStringList folders_;
  bool changing_ = false;
  std::unique_ptr<TDeviceChangeData> pendingNotice_;
};

class TShFilesWatcher;
using TFolderChangeEvent = std::function<void(TShFilesWatcher* sender, const std::string& folder)>;

// Watches one folder, not its subtree.
class TShFilesWatcher final : public TShWatcherThread {
public:
  static constexpr DWORD DefaultQuietMs = 2000;

  static TShFilesWatcher* Create(const std::string& folder, DWORD filter,
                                 TFolderChangeEvent onChange, TNotifyEvent onTerminate = {},
                                 DWORD quietMs = DefaultQuietMs);

  TFolderChangeEvent OnChange;

  // "" when none is watched (a folder that did not exist is not).
  std::string Folder() const;
  DWORD Filter() const { return filter_; }

  // Watches path instead when it differs from Folder; a path that does not exist leaves the
  // watcher idle until the next SetFolder.
  void SetFolder(const std::string& path);
  void Stop() override;

private:
  TShFilesWatcher(const std::string& folder, DWORD filter, TFolderChangeEvent onChange,
                  TNotifyEvent onTerminate, DWORD quietMs, HANDLE opened);

  void Execute() override;
  TChangeNotification Open();
  bool Reopen(TChangeNotification& change);

  const DWORD filter_;
  const DWORD quietMs_;
  TWin32Event folderChanged_{false};
  // Set once the thread opened the notification of a new folder, or ended.
  TWin32Event folderTaken_{false};
  // On the user-interface thread while OnChange runs.
  bool delivering_ = false;
  std::string folder_;
  // The folder whose notification is open; the worker's own.
  std::string watched_;
};

} // namespace quolin
