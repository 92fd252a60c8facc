#include "ui/DdeConv.h"

#include "core/Paths.h"
#include "ui/Application.h"

#include <map>

namespace quolin {

namespace {

// Every server conversation of a thread shares the one registration of its service.
std::shared_ptr<dde::Server> SharedServer(const std::string& service) {
  thread_local std::map<std::string, std::weak_ptr<dde::Server>> servers;
  std::shared_ptr<dde::Server> server = servers[service].lock();
  if (!server) {
    server = std::make_shared<dde::Server>(service);
    servers[service] = server;
  }
  return server;
}

} // namespace

TDdeClientConv::TDdeClientConv(TComponent* owner) : TComponent(owner) {
}

bool TDdeClientConv::SetLink(const std::string& service, const std::string& topic) {
  CloseLink();
  service_ = service;
  topic_ = topic;
  return ConnectMode == TDdeConnectMode::ddeManual || OpenLink();
}

bool TDdeClientConv::OpenLink() {
  return client_.Connected() || client_.Connect(service_, topic_);
}

void TDdeClientConv::CloseLink() {
  client_.Disconnect();
}

bool TDdeClientConv::ExecuteMacro(const std::string& macro) {
  lastResult_ = client_.Execute(macro, TimeoutMs);
  return lastResult_ == dde::drDone;
}

std::string TDdeServerConv::ServiceName() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string name = ExtractFileName(path);
  return name.substr(0, name.size() - ExtractFileExt(name).size());
}

TDdeServerConv::TDdeServerConv(TComponent* owner)
    : TComponent(owner), server_(SharedServer(ServiceName())) {
}

bool TDdeServerConv::Registered() const {
  return server_->Registered();
}

void TDdeServerConv::AfterConstruction() {
  TComponent::AfterConstruction();
  topic_ = Name();
  dde::TopicHandlers handlers;
  handlers.onExecute = [this](const std::string& text) { RaiseExecute(text); };
  handlers.onConnect = [this] { RaiseNotify(&TDdeServerConv::OnOpen); };
  handlers.onDisconnect = [this] { RaiseNotify(&TDdeServerConv::OnClose); };
  server_->AddTopic(topic_, std::move(handlers));
}

void TDdeServerConv::BeforeDestruction() {
  // Handlers not run yet are dropped with the topic.
  server_->RemoveTopic(topic_);
  TComponent::BeforeDestruction();
}

void TDdeServerConv::RaiseExecute(const std::string& text) {
  if (Destroying() || !OnExecuteMacro)
    return;
  Guard(this, [&] {
    TStringList lines;
    lines.SetText(text);
    OnExecuteMacro(this, lines);
  });
}

void TDdeServerConv::RaiseNotify(TNotifyEvent TDdeServerConv::*event) {
  if (!Destroying() && this->*event)
    Guard(this, [&] { (this->*event)(this); });
}

} // namespace quolin
