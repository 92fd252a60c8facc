// DDE conversations as components: the client conversation a form or routine holds with
// another program, and the server conversation that makes a form answer under the program's
// service, with the component's name as topic.
#pragma once

#include "ui/Component.h"
#include "ui/Types.h"
#include "ui/dde.h"

#include <functional>
#include <memory>
#include <string>

namespace quolin {

enum class TDdeConnectMode { ddeAutomatic, ddeManual };

class TDdeClientConv : public TComponent {
public:
  TDdeConnectMode ConnectMode = TDdeConnectMode::ddeAutomatic;
  // How long ExecuteMacro waits for the partner's acknowledgement.
  DWORD TimeoutMs = 5000;

  const std::string& DdeService() const { return service_; }
  const std::string& DdeTopic() const { return topic_; }
  // Names the partner and ends a conversation held before; in automatic mode it connects at
  // once and gives whether that worked.
  bool SetLink(const std::string& service, const std::string& topic);
  bool OpenLink();
  void CloseLink();
  bool Connected() const { return client_.Connected(); }
  // True when the partner took the macro.
  bool ExecuteMacro(const std::string& macro);
  // What the last ExecuteMacro came to.
  dde::TDdeResult LastResult() const { return lastResult_; }

protected:
  explicit TDdeClientConv(TComponent* owner);

private:
  dde::Client client_;
  std::string service_;
  std::string topic_;
  dde::TDdeResult lastResult_ = dde::drNotConnected;
};

// The macro of an execute, split into its lines.
using TMacroEvent = std::function<void(TObject* sender, TStrings& macro)>;

class TDdeServerConv : public TComponent {
public:
  // The service of this program: its file name without folder and extension.
  static std::string ServiceName();
  // Whether the service name could be registered.
  bool Registered() const;

  // These run from the message loop after the partner has had its answer.
  TMacroEvent OnExecuteMacro;
  TNotifyEvent OnOpen;
  TNotifyEvent OnClose;

protected:
  explicit TDdeServerConv(TComponent* owner);
  // The topic is the component's name, known from here on.
  void AfterConstruction() override;
  void BeforeDestruction() override;

private:
  std::shared_ptr<dde::Server> server_;
  std::string topic_;

  void RaiseExecute(const std::string& text);
  void RaiseNotify(TNotifyEvent TDdeServerConv::*event);
};

} // namespace quolin
