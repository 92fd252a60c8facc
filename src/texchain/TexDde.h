// The tool runs by DDE conversation: what they share across the program, and the small rules
// they decide by. The runs themselves are TTexCtrl's (TexDde.cpp).
//
// One run at a time for the whole program: one client conversation (with it the DDEML
// instance of the user-interface thread), the item whose advise reply ends the run, the
// component that runs and the kind of module it runs. The first tool component makes the
// state and the last one frees it.
#pragma once

#include "core/Module.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace quolin {

namespace dde {
class Client;
}
class TTexCtrl;

class TDdeRunState {
public:
  static std::shared_ptr<TDdeRunState> Acquire();
  TDdeRunState();
  ~TDdeRunState();
  TDdeRunState(const TDdeRunState&) = delete;
  TDdeRunState& operator=(const TDdeRunState&) = delete;

  dde::Client& Client() { return *client_; }
  // An advise reply as the layer hands it on.
  void Delivered(const std::string& reply);

  std::string ItemName;
  TTexCtrl* Running = nullptr;
  TModuleType CurrentModule = mtTeX;
  // From the advise start until the execute is judged a reply is only recorded: it may come
  // while the execute still waits, or sit queued when it returns.
  bool Recording = false;
  std::optional<std::string> RecordedReply;

private:
  std::unique_ptr<dde::Client> client_;
};

// A tool's advise reply of success: exactly "OK", "IOK" or "0".
bool IsDdeSuccessReply(std::string_view reply);
// A topic template that names the document itself (the previewer's).
bool IsDocumentTopic(std::string_view topicTemplate);
// The macro for a previewer that already shows the document: every "FileOpen(%filename)"
// (and the other three file-name placeholders, any case) becomes "FileReopen".
std::string ReopenMacro(const std::string& macro);

} // namespace quolin
