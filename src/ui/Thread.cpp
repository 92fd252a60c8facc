#include "ui/Thread.h"

#include "core/Exceptions.h"
#include "ui/Application.h"

#include <process.h>

namespace quolin {

TThread::~TThread() {
  if (handle_ && GetCurrentThreadId() != threadId_) {
    Terminate();
    WaitFor();
  }
  if (handle_)
    CloseHandle(handle_);
}

void TThread::Start() {
  if (handle_)
    throw EInvalidOperation("Thread already started");
  Application->Handle(); // the window that Synchronize posts to
  // Suspended until the fields are set: a thread that frees itself may end at once.
  unsigned id = 0;
  uintptr_t handle = _beginthreadex(nullptr, 0, ThreadProc, this, CREATE_SUSPENDED, &id);
  if (!handle)
    throw EInvalidOperation("Cannot start a thread");
  handle_ = reinterpret_cast<HANDLE>(handle);
  threadId_ = id;
  ResumeThread(handle_);
}

unsigned __stdcall TThread::ThreadProc(void* data) {
  auto* thread = static_cast<TThread*>(data);
  try {
    thread->Execute();
  } catch (...) {
    std::exception_ptr error = std::current_exception();
    thread->fatalException_ = error;
    Application->Queue([error] { Application->HandleException(nullptr, error); });
  }
  if (thread->OnTerminate) {
    try {
      thread->Synchronize([thread] { thread->OnTerminate(thread); });
    } catch (...) {
      std::exception_ptr error = std::current_exception();
      Application->Queue([error] { Application->HandleException(nullptr, error); });
    }
  }
  auto result = static_cast<unsigned>(thread->ReturnValue);
  bool freeOnTerminate = thread->FreeOnTerminate;
  thread->finished_ = true;
  if (freeOnTerminate)
    delete thread;
  return result;
}

int TThread::WaitFor() {
  if (!handle_)
    return ReturnValue;
  if (GetCurrentThreadId() != Application->MainThreadID()) {
    WaitForSingleObject(handle_, INFINITE);
    return ReturnValue;
  }
  WaitSynchronizing(handle_);
  return ReturnValue;
}

void WaitSynchronizing(HANDLE object) {
  HANDLE handles[2] = {object, Application->SyncEvent()};
  for (;;) {
    DWORD result = MsgWaitForMultipleObjects(2, handles, FALSE, INFINITE, QS_SENDMESSAGE);
    if (result == WAIT_OBJECT_0 || result == WAIT_FAILED)
      return;
    if (result == WAIT_OBJECT_0 + 1) {
      Application->CheckSynchronize();
    } else {
      MSG message;
      PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE); // delivers sent messages
    }
  }
}

void TThread::Synchronize(const std::function<void()>& fn) {
  if (GetCurrentThreadId() == Application->MainThreadID()) {
    fn();
    return;
  }
  HANDLE done = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  std::exception_ptr error;
  Application->Queue([&] {
    try {
      fn();
    } catch (...) {
      error = std::current_exception();
    }
    SetEvent(done);
  });
  WaitForSingleObject(done, INFINITE);
  CloseHandle(done);
  if (error)
    std::rethrow_exception(error);
}

} // namespace quolin
