// A DDE server on a thread of its own, with its own DDEML instance and message loop, as
// another program would run it.
#pragma once

#include "support/WaitLimit.h"
#include "ui/dde.h"

#include <windows.h>

#include <condition_variable>
#include <functional>
#include <future>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace quolin::test_support {

// Executes are recorded in order.
class ServerThread {
public:
  // onExecute runs on the server thread before the text is recorded; it may throw.
  ServerThread(const std::string& service, const std::string& topic,
               std::function<void(quolin::dde::Server&, const std::string&)> onExecute = {})
      : service_(service), topic_(topic), onExecute_(std::move(onExecute)) {
    std::promise<bool> ready;
    std::future<bool> registered = ready.get_future();
    thread_ = std::thread([this, &ready] { Run(ready); });
    registered_ = registered.get();
  }
  ~ServerThread() {
    PostThreadMessageA(threadId_, WM_QUIT, 0, 0);
    thread_.join();
  }

  bool Registered() const { return registered_; }

  // The executes seen so far, once there are at least count of them or after timeout.
  std::vector<std::string>
  WaitForExecutes(size_t count,
                  std::chrono::milliseconds timeout = std::chrono::milliseconds(WaitLimitMs)) {
    std::unique_lock lock(mutex_);
    changed_.wait_for(lock, timeout, [&] { return executes_.size() >= count; });
    return executes_;
  }
  int Connects() {
    std::lock_guard lock(mutex_);
    return connects_;
  }

private:
  void Run(std::promise<bool>& ready) {
    threadId_ = GetCurrentThreadId();
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE); // the thread's queue exists now
    {
      quolin::dde::Server server(service_);
      quolin::dde::TopicHandlers handlers;
      handlers.onExecute = [this, &server](const std::string& text) {
        if (onExecute_)
          onExecute_(server, text);
        Record(text);
      };
      handlers.onConnect = [this] {
        std::lock_guard lock(mutex_);
        ++connects_;
      };
      server.AddTopic(topic_, handlers);
      ready.set_value(server.Registered());
      while (GetMessageA(&message, nullptr, 0, 0) > 0)
        DispatchMessageA(&message);
    }
  }
  void Record(const std::string& text) {
    std::lock_guard lock(mutex_);
    executes_.push_back(text);
    changed_.notify_all();
  }

  std::string service_, topic_;
  std::function<void(quolin::dde::Server&, const std::string&)> onExecute_;
  std::thread thread_;
  DWORD threadId_ = 0;
  bool registered_ = false;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<std::string> executes_;
  int connects_ = 0;
};

} // namespace quolin::test_support
