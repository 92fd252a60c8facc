// Win32 events, critical sections and change notifications, each closed with its holder.
#pragma once

#include <windows.h>

#include <string>
#include <utility>

namespace quolin {

// An unnamed event; raises EInvalidOperation when the system has none to give.
class TWin32Event {
public:
  explicit TWin32Event(bool manualReset);
  ~TWin32Event() { CloseHandle(handle_); }
  TWin32Event(const TWin32Event&) = delete;
  TWin32Event& operator=(const TWin32Event&) = delete;

  HANDLE Handle() const { return handle_; }
  void Set() const { SetEvent(handle_); }

private:
  HANDLE handle_;
};

class TCriticalSection {
public:
  TCriticalSection() { InitializeCriticalSection(&section_); }
  ~TCriticalSection() { DeleteCriticalSection(&section_); }
  TCriticalSection(const TCriticalSection&) = delete;
  TCriticalSection& operator=(const TCriticalSection&) = delete;

  void Enter() { EnterCriticalSection(&section_); }
  void Leave() { LeaveCriticalSection(&section_); }

private:
  CRITICAL_SECTION section_;
};

// Holds a critical section for its scope.
class TLock {
public:
  explicit TLock(TCriticalSection& section) : section_(section) { section_.Enter(); }
  ~TLock() { section_.Leave(); }
  TLock(const TLock&) = delete;
  TLock& operator=(const TLock&) = delete;

private:
  TCriticalSection& section_;
};

// A change notification of one folder; invalid when none could be opened.
class TChangeNotification {
public:
  TChangeNotification() = default;
  TChangeNotification(const std::string& folder, bool subtree, DWORD filter);
  ~TChangeNotification() { Close(); }
  TChangeNotification(TChangeNotification&& other) noexcept
      : handle_(std::exchange(other.handle_, INVALID_HANDLE_VALUE)) {}
  TChangeNotification& operator=(TChangeNotification&& other) noexcept {
    if (this != &other) {
      Close();
      handle_ = std::exchange(other.handle_, INVALID_HANDLE_VALUE);
    }
    return *this;
  }
  TChangeNotification(const TChangeNotification&) = delete;
  TChangeNotification& operator=(const TChangeNotification&) = delete;

  bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE Handle() const { return handle_; }
  // Re-arms the notification for the next change.
  bool Next() const { return FindNextChangeNotification(handle_); }
  // The holder is invalid afterwards, whatever the answer; true when nothing was open.
  bool Close() {
    HANDLE handle = std::exchange(handle_, INVALID_HANDLE_VALUE);
    return handle == INVALID_HANDLE_VALUE || FindCloseChangeNotification(handle);
  }

private:
  HANDLE handle_ = INVALID_HANDLE_VALUE;
};

} // namespace quolin
