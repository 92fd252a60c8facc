#include "ui/dde.h"

#include "core/Sjis.h"

#include <deque>
#include <map>
#include <mutex>
#include <utility>
#include <vector>

namespace quolin::dde {

namespace {

constexpr char WindowClassName[] = "QuolinDdeWindow";
constexpr UINT RunQueuedMessage = WM_APP + 1;

HDDEDATA AsData(BOOL value) {
  return reinterpret_cast<HDDEDATA>(static_cast<ULONG_PTR>(value));
}

// The bytes of a data handle up to the first zero.
std::string DataText(HDDEDATA data) {
  DWORD size = DdeGetData(data, nullptr, 0, 0);
  std::string text(size, '\0');
  if (size > 0)
    DdeGetData(data, reinterpret_cast<LPBYTE>(text.data()), size, 0);
  return text.substr(0, text.find('\0'));
}

} // namespace

// A string handle of one DDEML instance, freed with the object.
class StringHandle {
public:
  StringHandle() = default;
  StringHandle(DWORD instance, const std::string& text)
      : instance_(instance),
        handle_(instance ? DdeCreateStringHandleA(instance, text.c_str(), CP_WINANSI) : nullptr) {}
  ~StringHandle() {
    if (handle_)
      DdeFreeStringHandle(instance_, handle_);
  }
  StringHandle(StringHandle&& other) noexcept { *this = std::move(other); }
  StringHandle& operator=(StringHandle&& other) noexcept {
    std::swap(instance_, other.instance_);
    std::swap(handle_, other.handle_);
    return *this;
  }

  HSZ Get() const { return handle_; }

private:
  DWORD instance_ = 0;
  HSZ handle_ = nullptr;
};

struct TopicState {
  std::shared_ptr<Instance> instance; // first: outlives the string handle
  std::string name;
  StringHandle handle;
  TopicHandlers handlers;
  // By item name in upper case: DDE names compare without regard to case.
  std::map<std::string, std::string> items;

  const std::string* ItemText(const std::string& item) const {
    auto found = items.find(sjis::UpperAscii(item));
    return found == items.end() ? nullptr : &found->second;
  }
};

struct ServerState {
  std::shared_ptr<Instance> instance; // first: outlives the string handles
  std::string service;
  StringHandle handle;
  bool registered = false;
  std::vector<std::shared_ptr<TopicState>> topics;
};

struct ClientState {
  std::shared_ptr<Instance> instance; // first: outlives the string handle
  HCONV conv = nullptr;
  bool abandoned = false;
  std::unique_ptr<StringHandle> adviseItem;
  std::function<void(const std::string&)> onData;
};

// The DDEML instance of one thread with its hidden window for the queued handler calls.
class Instance : public std::enable_shared_from_this<Instance> {
public:
  static std::shared_ptr<Instance> ForThisThread();
  Instance();
  ~Instance();
  Instance(const Instance&) = delete;
  Instance& operator=(const Instance&) = delete;

  DWORD Id() const { return id_; }
  // From now on DDEML is not ended with the instance: a partner that did not answer in time
  // would hold the end up.
  void Abandon() { abandoned_ = true; }

  void AddServer(ServerState* server) { servers_.push_back(server); }
  void RemoveServer(ServerState* server);
  void AddClientConv(HCONV conv, const std::shared_ptr<ClientState>& client) {
    clientConvs_[conv] = client;
  }
  void RemoveClientConv(HCONV conv) { clientConvs_.erase(conv); }
  // Ends the conversations held on the topic.
  void DisconnectTopic(const TopicState* topic);

private:
  static HDDEDATA CALLBACK Callback(UINT type, UINT format, HCONV conv, HSZ hsz1, HSZ hsz2,
                                    HDDEDATA data, ULONG_PTR, ULONG_PTR);
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HDDEDATA Dispatch(UINT type, UINT format, HCONV conv, HSZ hsz1, HSZ hsz2, HDDEDATA data);
  std::shared_ptr<TopicState> FindTopic(HSZ service, HSZ topic) const;
  std::shared_ptr<TopicState> ServerTopic(HCONV conv) const;
  void ConnectConfirmed(HCONV conv, HSZ service, HSZ topic);
  void Disconnected(HCONV conv);
  HDDEDATA ItemData(HCONV conv, UINT format, HSZ item) const;
  void PostTopicCall(const std::shared_ptr<TopicState>& topic,
                     std::function<void(const TopicHandlers&)> call);
  void Post(std::function<void()> work);
  void RunQueued();

  DWORD id_ = 0;
  HWND window_ = nullptr;
  bool abandoned_ = false;
  std::deque<std::function<void()>> queue_;
  std::vector<ServerState*> servers_;
  std::map<HCONV, std::weak_ptr<TopicState>> serverConvs_;
  std::map<HCONV, std::weak_ptr<ClientState>> clientConvs_;
};

namespace {

thread_local std::weak_ptr<Instance> threadInstance;
// The instance DDEML's callback belongs to: DDEML calls back on the thread of the instance.
thread_local Instance* callbackInstance = nullptr;

void RegisterWindowClass(WNDPROC windowProc) {
  static std::once_flag once;
  std::call_once(once, [windowProc] {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = WindowClassName;
    RegisterClassA(&windowClass);
  });
}

} // namespace

std::shared_ptr<Instance> Instance::ForThisThread() {
  std::shared_ptr<Instance> instance = threadInstance.lock();
  if (!instance) {
    instance = std::make_shared<Instance>();
    threadInstance = instance;
  }
  return instance;
}

Instance::Instance() {
  RegisterWindowClass(WindowProc);
  window_ = CreateWindowExA(0, WindowClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                            GetModuleHandleA(nullptr), nullptr);
  SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  callbackInstance = this;
  if (DdeInitializeA(&id_, Callback,
                     APPCLASS_STANDARD | CBF_SKIP_REGISTRATIONS | CBF_SKIP_UNREGISTRATIONS |
                         CBF_FAIL_POKES,
                     0) != DMLERR_NO_ERROR)
    id_ = 0;
}

Instance::~Instance() {
  if (id_ && !abandoned_)
    DdeUninitialize(id_);
  if (window_)
    DestroyWindow(window_);
  if (callbackInstance == this)
    callbackInstance = nullptr;
}

void Instance::RemoveServer(ServerState* server) {
  std::erase(servers_, server);
}

void Instance::DisconnectTopic(const TopicState* topic) {
  std::vector<HCONV> ended;
  for (const auto& [conv, held] : serverConvs_)
    if (held.lock().get() == topic)
      ended.push_back(conv);
  for (HCONV conv : ended) {
    serverConvs_.erase(conv);
    DdeDisconnect(conv);
  }
}

HDDEDATA CALLBACK Instance::Callback(UINT type, UINT format, HCONV conv, HSZ hsz1, HSZ hsz2,
                                     HDDEDATA data, ULONG_PTR, ULONG_PTR) {
  try {
    return callbackInstance ? callbackInstance->Dispatch(type, format, conv, hsz1, hsz2, data)
                            : nullptr;
  } catch (...) {
    return nullptr;
  }
}

HDDEDATA Instance::Dispatch(UINT type, UINT format, HCONV conv, HSZ hsz1, HSZ hsz2, HDDEDATA data) {
  switch (type) {
  case XTYP_CONNECT:
    return AsData(FindTopic(hsz2, hsz1) != nullptr);
  case XTYP_CONNECT_CONFIRM:
    ConnectConfirmed(conv, hsz2, hsz1);
    return nullptr;
  case XTYP_DISCONNECT:
    Disconnected(conv);
    return nullptr;
  case XTYP_EXECUTE: {
    std::shared_ptr<TopicState> topic = ServerTopic(conv);
    if (!topic)
      return reinterpret_cast<HDDEDATA>(DDE_FNOTPROCESSED);
    PostTopicCall(topic, [text = DataText(data)](const TopicHandlers& handlers) {
      if (handlers.onExecute)
        handlers.onExecute(text);
    });
    return reinterpret_cast<HDDEDATA>(DDE_FACK);
  }
  case XTYP_ADVSTART:
    return AsData(ServerTopic(conv) != nullptr && format == CF_TEXT);
  case XTYP_ADVREQ:
  case XTYP_REQUEST:
    return ItemData(conv, format, hsz2);
  case XTYP_ADVDATA: {
    auto found = clientConvs_.find(conv);
    if (found == clientConvs_.end() || found->second.expired())
      return reinterpret_cast<HDDEDATA>(DDE_FNOTPROCESSED);
    Post([client = found->second, text = DataText(data)] {
      std::shared_ptr<ClientState> state = client.lock();
      if (state && state->onData) {
        auto onData = state->onData;
        onData(text);
      }
    });
    return reinterpret_cast<HDDEDATA>(DDE_FACK);
  }
  default:
    return nullptr;
  }
}

std::shared_ptr<TopicState> Instance::FindTopic(HSZ service, HSZ topic) const {
  for (const ServerState* server : servers_) {
    if (!server->registered || DdeCmpStringHandles(server->handle.Get(), service) != 0)
      continue;
    for (const auto& candidate : server->topics)
      if (DdeCmpStringHandles(candidate->handle.Get(), topic) == 0)
        return candidate;
  }
  return nullptr;
}

std::shared_ptr<TopicState> Instance::ServerTopic(HCONV conv) const {
  auto found = serverConvs_.find(conv);
  return found == serverConvs_.end() ? nullptr : found->second.lock();
}

void Instance::ConnectConfirmed(HCONV conv, HSZ service, HSZ topic) {
  std::shared_ptr<TopicState> found = FindTopic(service, topic);
  if (!found)
    return;
  serverConvs_[conv] = found;
  PostTopicCall(found, [](const TopicHandlers& handlers) {
    if (handlers.onConnect)
      handlers.onConnect();
  });
}

void Instance::Disconnected(HCONV conv) {
  if (std::shared_ptr<TopicState> topic = ServerTopic(conv)) {
    PostTopicCall(topic, [](const TopicHandlers& handlers) {
      if (handlers.onDisconnect)
        handlers.onDisconnect();
    });
  }
  serverConvs_.erase(conv);
  auto client = clientConvs_.find(conv);
  if (client == clientConvs_.end())
    return;
  if (std::shared_ptr<ClientState> state = client->second.lock())
    state->conv = nullptr;
  clientConvs_.erase(client);
}

HDDEDATA Instance::ItemData(HCONV conv, UINT format, HSZ item) const {
  std::shared_ptr<TopicState> topic = ServerTopic(conv);
  if (!topic || format != CF_TEXT)
    return nullptr;
  char name[256] = {};
  DdeQueryStringA(id_, item, name, sizeof name, CP_WINANSI);
  const std::string* text = topic->ItemText(name);
  if (!text)
    return nullptr;
  return DdeCreateDataHandle(id_, reinterpret_cast<LPBYTE>(const_cast<char*>(text->c_str())),
                             static_cast<DWORD>(text->size() + 1), 0, item, CF_TEXT, 0);
}

void Instance::PostTopicCall(const std::shared_ptr<TopicState>& topic,
                             std::function<void(const TopicHandlers&)> call) {
  Post([held = std::weak_ptr<TopicState>(topic), call = std::move(call)] {
    // The topic stays alive while its handler runs, even when the handler removes it.
    if (std::shared_ptr<TopicState> state = held.lock()) {
      TopicHandlers handlers = state->handlers;
      call(handlers);
    }
  });
}

void Instance::Post(std::function<void()> work) {
  queue_.push_back(std::move(work));
  PostMessageA(window_, RunQueuedMessage, 0, 0);
}

void Instance::RunQueued() {
  if (queue_.empty())
    return;
  std::function<void()> work = std::move(queue_.front());
  queue_.pop_front();
  // A handler may end the last conversation or server and with it this instance.
  std::shared_ptr<Instance> keepAlive = shared_from_this();
  work();
}

LRESULT CALLBACK Instance::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != RunQueuedMessage)
    return DefWindowProcA(window, message, wParam, lParam);
  try {
    if (auto* instance = reinterpret_cast<Instance*>(GetWindowLongPtrA(window, GWLP_USERDATA)))
      instance->RunQueued();
  } catch (...) {
    // The handler's failure ends here: DDE must go on serving.
  }
  return 0;
}

// Client.

namespace {

// Gives up the conversation after a time-out; see Client::Execute.
TDdeResult Transact(ClientState& state, const void* data, DWORD size, HSZ item, UINT type,
                    DWORD timeoutMs) {
  if (!state.conv)
    return drNotConnected;
  DWORD result = 0;
  HDDEDATA done = DdeClientTransaction(static_cast<LPBYTE>(const_cast<void*>(data)), size,
                                       state.conv, item, CF_TEXT, type, timeoutMs, &result);
  if (done)
    return drDone;
  UINT error = DdeGetLastError(state.instance->Id());
  if (error != DMLERR_EXECACKTIMEOUT && error != DMLERR_ADVACKTIMEOUT)
    return drRefused;
  state.abandoned = true;
  state.instance->Abandon();
  state.instance->RemoveClientConv(state.conv);
  state.conv = nullptr;
  return drTimedOut;
}

} // namespace

Client::Client() : state_(std::make_shared<ClientState>()) {
  state_->instance = Instance::ForThisThread();
}

Client::~Client() {
  Disconnect();
}

bool Client::Connect(const std::string& service, const std::string& topic) {
  Disconnect();
  DWORD id = state_->instance->Id();
  // An empty name would be a wildcard and reach any server.
  if (!id || service.empty() || topic.empty())
    return false;
  StringHandle serviceHandle(id, service), topicHandle(id, topic);
  HCONV conv = DdeConnect(id, serviceHandle.Get(), topicHandle.Get(), nullptr);
  if (!conv)
    return false;
  state_->conv = conv;
  state_->instance->AddClientConv(conv, state_);
  return true;
}

bool Client::Connected() const {
  return state_->conv != nullptr;
}

TDdeResult Client::Execute(std::string_view text, DWORD timeoutMs) {
  std::string data(text);
  return Transact(*state_, data.c_str(), static_cast<DWORD>(data.size() + 1), nullptr, XTYP_EXECUTE,
                  timeoutMs);
}

bool Client::StartAdvise(const std::string& item, std::function<void(const std::string&)> onData,
                         DWORD timeoutMs) {
  if (!state_->conv)
    return false;
  state_->adviseItem = std::make_unique<StringHandle>(state_->instance->Id(), item);
  state_->onData = std::move(onData);
  return Transact(*state_, nullptr, 0, state_->adviseItem->Get(), XTYP_ADVSTART, timeoutMs) ==
         drDone;
}

bool Client::StopAdvise(DWORD timeoutMs) {
  if (!state_->adviseItem)
    return false;
  bool stopped =
      Transact(*state_, nullptr, 0, state_->adviseItem->Get(), XTYP_ADVSTOP, timeoutMs) == drDone;
  state_->onData = nullptr;
  return stopped;
}

void Client::Disconnect() {
  if (state_->conv && !state_->abandoned) {
    state_->instance->RemoveClientConv(state_->conv);
    DdeDisconnect(state_->conv);
  }
  state_->conv = nullptr;
  state_->adviseItem.reset();
  state_->onData = nullptr;
}

// Server.

Server::Server(const std::string& service) : state_(std::make_shared<ServerState>()) {
  state_->instance = Instance::ForThisThread();
  state_->service = service;
  DWORD id = state_->instance->Id();
  if (!id)
    return;
  state_->handle = StringHandle(id, service);
  state_->registered = DdeNameService(id, state_->handle.Get(), nullptr, DNS_REGISTER) != nullptr;
  state_->instance->AddServer(state_.get());
}

Server::~Server() {
  for (const auto& topic : state_->topics)
    state_->instance->DisconnectTopic(topic.get());
  if (state_->registered)
    DdeNameService(state_->instance->Id(), state_->handle.Get(), nullptr, DNS_UNREGISTER);
  state_->instance->RemoveServer(state_.get());
}

bool Server::Registered() const {
  return state_->registered;
}

const std::string& Server::Service() const {
  return state_->service;
}

void Server::AddTopic(const std::string& topic, TopicHandlers handlers) {
  RemoveTopic(topic);
  auto state = std::make_shared<TopicState>();
  state->instance = state_->instance;
  state->name = topic;
  state->handle = StringHandle(state_->instance->Id(), topic);
  state->handlers = std::move(handlers);
  state_->topics.push_back(std::move(state));
}

void Server::RemoveTopic(const std::string& topic) {
  std::erase_if(state_->topics, [&](const std::shared_ptr<TopicState>& held) {
    if (!sjis::EqualIgnoreAsciiCase(held->name, topic))
      return false;
    state_->instance->DisconnectTopic(held.get());
    return true;
  });
}

void Server::SetItemData(const std::string& topic, const std::string& item,
                         const std::string& text) {
  for (const auto& held : state_->topics) {
    if (!sjis::EqualIgnoreAsciiCase(held->name, topic))
      continue;
    held->items[sjis::UpperAscii(item)] = text;
    StringHandle itemHandle(state_->instance->Id(), item);
    DdePostAdvise(state_->instance->Id(), held->handle.Get(), itemHandle.Get());
  }
}

} // namespace quolin::dde
