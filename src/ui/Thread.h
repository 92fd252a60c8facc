// TThread: Execute runs on a thread of its own. The worker touches no window: Synchronize
// hands a function to the user-interface thread and waits until it ran there.
#pragma once

#include "core/Persistent.h"
#include "ui/Types.h"

#include <windows.h>

#include <atomic>
#include <exception>
#include <functional>

namespace quolin {

class TThread : public TObject {
public:
  TThread(const TThread&) = delete;
  TThread& operator=(const TThread&) = delete;
  // Asks a running thread to stop and waits for it.
  ~TThread() override;

  void Start();
  void Terminate() { terminated_ = true; }
  bool Terminated() const { return terminated_; }
  bool Finished() const { return finished_; }
  // Waits for the end; on the user-interface thread it runs the Synchronize calls and sent
  // messages meanwhile (a worker may be waiting in one). Returns ReturnValue.
  int WaitFor();

  // Deletes the object once Execute and OnTerminate are done (it must have been made by new).
  bool FreeOnTerminate = false;
  // The exception that ended Execute (it has been reported too).
  std::exception_ptr FatalException() const { return fatalException_; }
  // Runs on the user-interface thread after Execute.
  TNotifyEvent OnTerminate;

protected:
  TThread() = default;
  virtual void Execute() = 0;
  // Runs fn on the user-interface thread and waits; an exception in fn is raised here.
  void Synchronize(const std::function<void()>& fn);

  int ReturnValue = 0;

private:
  HANDLE handle_ = nullptr;
  DWORD threadId_ = 0;
  std::atomic<bool> terminated_{false};
  std::atomic<bool> finished_{false};
  std::exception_ptr fatalException_;

  static unsigned __stdcall ThreadProc(void* data);
};

// Waits on the user-interface thread until object is signalled, running the Synchronize calls
// and sent messages meanwhile.
void WaitSynchronizing(HANDLE object);

} // namespace quolin
