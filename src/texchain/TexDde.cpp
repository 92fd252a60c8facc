#include "texchain/TexDde.h"

#include "common/StringHelpers.h"
#include "core/Format.h"
#include "core/Sjis.h"
#include "texchain/TexCtrl.h"
#include "texchain/ToolPlaceholders.h"
#include "texchain/ToolUtil.h"
#include "ui/Application.h"
#include "ui/dde.h"

namespace quolin {

namespace {

constexpr DWORD TransactionTimeoutMs = 3000;
constexpr unsigned RetryDelayMs = 640;
constexpr int ConnectRetries = 9;
constexpr size_t MaxReplyBytes = 1023;
constexpr char DdeErrorReply[] = "DDE Error";
constexpr char FallbackTopic[] = "WinDvi";
constexpr char ReopenCommand[] = "FileReopen";
constexpr const char* DocumentTopics[] = {"%filename", "%quotefilename", "%longfilename",
                                          "%shortfilename"};
constexpr const char* SuccessReplies[] = {"OK", "IOK", "0"};

// The previewer's exit: "[FileExit]" to its own service and topic.
constexpr char PreviewerService[] = "WinDvi";
constexpr char ExitMacro[] = "[FileExit]";

std::weak_ptr<TDdeRunState> programState;

// A one-shot module that sends macro and reports nothing: no item, no program.
TModule ClosingModule(const std::string& service, const std::string& topic,
                      const std::string& macro) {
  TModule closing;
  closing.UseDDE = true;
  closing.DdeService = service;
  closing.DDETopic = topic;
  closing.DDEMacro = macro;
  return closing;
}

// Connects client to the module's tool. A tool that already shows the document gets the
// reopen macro; one that does not is tried on the fallback topic. The topic last tried.
std::string ConnectToTool(dde::Client& client, const TModule& module, const std::string& topic,
                          std::string& macro) {
  const bool documentTopic = IsDocumentTopic(module.DDETopic);
  if (client.Connect(module.DdeService, topic)) {
    if (documentTopic)
      macro = ReopenMacro(module.DDEMacro);
    return topic;
  }
  if (!documentTopic)
    return topic;
  client.Connect(module.DdeService, FallbackTopic);
  return FallbackTopic;
}

} // namespace

std::shared_ptr<TDdeRunState> TDdeRunState::Acquire() {
  std::shared_ptr<TDdeRunState> state = programState.lock();
  if (!state) {
    state = std::make_shared<TDdeRunState>();
    programState = state;
  }
  return state;
}

TDdeRunState::TDdeRunState() : client_(std::make_unique<dde::Client>()) {
}

TDdeRunState::~TDdeRunState() = default;

void TDdeRunState::Delivered(const std::string& reply) {
  std::string kept = reply.substr(0, MaxReplyBytes);
  if (Recording) {
    if (!RecordedReply)
      RecordedReply = std::move(kept);
    return;
  }
  if (Running)
    Running->DdeReplied(kept);
}

bool IsDdeSuccessReply(std::string_view reply) {
  for (const char* success : SuccessReplies)
    if (reply == success)
      return true;
  return false;
}

bool IsDocumentTopic(std::string_view topicTemplate) {
  for (const char* topic : DocumentTopics)
    if (sjis::EqualIgnoreAsciiCase(topicTemplate, topic))
      return true;
  return false;
}

std::string ReopenMacro(const std::string& macro) {
  std::string reopened = macro;
  for (const char* topic : DocumentTopics)
    reopened = ReplaceAll(reopened, std::string("FileOpen(") + topic + ")", ReopenCommand, false);
  return reopened;
}

bool TTexCtrl::PrepareDde(const TModule& module, std::string& macro, std::string& topic) const {
  macro = module.DDEMacro;
  if (!PassesSpaceChecks(macro, TargetFile))
    return false;
  const TPlaceholderFiles files{EditFileName, OwnerFileName, EditRowNum};
  macro = ExpandModuleMacros(files, macro, TargetFile, false, module.DefaultExt);
  topic = ExpandModuleMacros(files, module.DDETopic, TargetFile, false, module.DefaultExt);
  return true;
}

TRunStart TTexCtrl::RunDde(TModule& module) {
  std::string macro, topic;
  if (activ_ || !PrepareDde(module, macro, topic))
    return TRunStart::Failed;
  std::shared_ptr<TDdeRunState> state = dde_;
  state->ItemName = module.DDEItem;
  state->Recording = false;
  state->RecordedReply.reset();
  dde::Client& client = state->Client();
  auto alive = alive_;
  const unsigned stops = stopCount_;
  topic = ConnectToTool(client, module, topic, macro);
  if (!client.Connected() && !Trim(module.ExeName).empty()) {
    StartDetached(module.ExeName);
    for (int tries = 0; tries < ConnectRetries && !client.Connected(); ++tries) {
      const bool waited = WaitWithMessages(RetryDelayMs);
      if (!*alive || stopCount_ != stops)
        return TRunStart::Abandoned;
      if (!waited) {
        sequence_.End();
        return TRunStart::Abandoned;
      }
      client.Connect(module.DdeService, topic);
    }
  }
  if (!client.Connected())
    return FailDde();

  const bool advising = !state->ItemName.empty();
  if (advising) {
    state->Recording = true;
    activ_ = client.StartAdvise(
        state->ItemName,
        [held = std::weak_ptr<TDdeRunState>(state)](const std::string& reply) {
          if (auto running = held.lock())
            running->Delivered(reply);
        },
        TransactionTimeoutMs);
    if (!activ_) {
      state->Recording = false;
      return FailDde();
    }
  }
  const dde::TDdeResult executed = client.Execute(macro, TransactionTimeoutMs);
  // A reply may have come while the execute waited, or wait in the queue now: once the queue
  // is handled every earlier reply is recorded, and a recorded reply wins over the result.
  Application->ProcessMessages();
  state->Recording = false;
  if (!*alive || stopCount_ != stops)
    return TRunStart::Abandoned;
  if (state->RecordedReply) {
    DdeReplied(*state->RecordedReply);
    return *alive ? TRunStart::Reporting : TRunStart::Abandoned;
  }
  if (executed != dde::drDone)
    return FailDde();
  if (!advising) {
    client.Disconnect();
    return TRunStart::Silent;
  }
  return TRunStart::Reporting;
}

TRunStart TTexCtrl::FailDde() {
  dde_->Client().Disconnect();
  activ_ = false;
  auto alive = alive_;
  ReportEnd(false, DdeErrorReply);
  return *alive ? TRunStart::FailedReported : TRunStart::Abandoned;
}

void TTexCtrl::DdeReplied(const std::string& reply) {
  if (!activ_)
    return;
  dde::Client& client = dde_->Client();
  client.StopAdvise(TransactionTimeoutMs);
  client.Disconnect();
  activ_ = false;
  ReportEnd(IsDdeSuccessReply(reply), reply);
}

void TTexCtrl::DisconnectDde() {
  if (dde_->Running == this)
    dde_->Client().Disconnect();
  activ_ = false;
}

void TTexCtrl::CloseByDde(const TModule& closing) {
  if (closing.DdeService.empty() || closing.DDETopic.empty() || closing.DDEMacro.empty())
    return;
  std::string macro, topic;
  if (!PrepareDde(closing, macro, topic))
    return;
  // A conversation of its own: a run of the tools may be waiting for its reply.
  dde::Client client;
  ConnectToTool(client, closing, topic, macro);
  if (client.Connected())
    client.Execute(macro, TransactionTimeoutMs);
}

void TTexCtrl::CloseModule(const TModule& module) {
  if (module.CloseUseDDE)
    CloseByDde(ClosingModule(module.DdeService, module.DDETopic, module.CloseDDEMacro));
  else
    CloseWindowByCaption(module.CloseCaption);
}

void TTexCtrl::ClosePreviewer() {
  CloseByDde(ClosingModule(PreviewerService, PreviewerService, ExitMacro));
}

} // namespace quolin
