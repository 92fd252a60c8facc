// Ownership of COM interface pointers and of the thread's COM initialisation.
#pragma once

#include <objbase.h>

#include <utility>

namespace quolin {

// One reference to an interface, released with the object.
template <typename T> class TComPtr {
public:
  TComPtr() = default;
  ~TComPtr() { Reset(); }
  TComPtr(TComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
  TComPtr& operator=(TComPtr&& other) noexcept {
    if (this != &other) {
      Reset();
      pointer_ = std::exchange(other.pointer_, nullptr);
    }
    return *this;
  }
  TComPtr(const TComPtr&) = delete;
  TComPtr& operator=(const TComPtr&) = delete;

  T* Get() const { return pointer_; }
  T* operator->() const { return pointer_; }
  explicit operator bool() const { return pointer_ != nullptr; }

  // For a call that hands out a new reference.
  T** Out() {
    Reset();
    return &pointer_;
  }
  void** OutVoid() { return reinterpret_cast<void**>(Out()); }

  void Reset() {
    if (pointer_)
      std::exchange(pointer_, nullptr)->Release();
  }

private:
  T* pointer_ = nullptr;
};

// Initialises COM on this thread for the object's lifetime when it is not yet; a thread that
// already runs COM, in any model, is left as it is.
class TComInit {
public:
  TComInit() : initialised_(SUCCEEDED(CoInitialize(nullptr))) {}
  ~TComInit() {
    if (initialised_)
      CoUninitialize();
  }
  TComInit(const TComInit&) = delete;
  TComInit& operator=(const TComInit&) = delete;

private:
  bool initialised_;
};

} // namespace quolin
