// DDE conversations over DDEML, in the ANSI code page: one DDEML instance per user-interface
// thread, client conversations (connect, execute, advise loops) and server names with their
// topics.
//
// DDEML calls back from inside its own message handling, and the partner waits until the
// callback returns. So the layer only copies the data and answers there; the program's
// handlers run afterwards, in order, from a message posted to a hidden window of the layer,
// where they may take their time or show a modal box. An exception from a handler is caught
// there and goes no further.
#pragma once

#include <windows.h>

#include <ddeml.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace quolin::dde {

class Instance;
struct ClientState;
struct ServerState;

enum TDdeResult : int {
  drDone,
  drNotConnected, // no conversation
  drRefused,      // the partner answered "not processed" or the transaction failed
  drTimedOut      // no answer in time; the conversation is given up (see Client::Execute)
};

// A client conversation with one service and topic.
class Client {
public:
  Client();
  ~Client();
  Client(const Client&) = delete;
  Client& operator=(const Client&) = delete;

  // Ends a conversation held before. False when no server answers, or a name is empty.
  bool Connect(const std::string& service, const std::string& topic);
  bool Connected() const;
  // The text (sent with its terminating zero, clipboard text format), waiting up to
  // timeoutMs for the partner's acknowledgement. After a time-out the conversation is left
  // as it stands, never ended: under Wine ending it waits for the busy partner even then.
  TDdeResult Execute(std::string_view text, DWORD timeoutMs);
  // An advise loop on the item in clipboard text format; onData gets each update as text.
  bool StartAdvise(const std::string& item, std::function<void(const std::string&)> onData,
                   DWORD timeoutMs);
  bool StopAdvise(DWORD timeoutMs);
  void Disconnect();

private:
  std::shared_ptr<ClientState> state_;
};

struct TopicHandlers {
  // The text of an execute transaction, up to its terminating zero.
  std::function<void(const std::string& text)> onExecute;
  std::function<void()> onConnect;
  std::function<void()> onDisconnect;
};

// A service name of this program with the topics it answers. Connections to other topics
// are refused; executes are acknowledged at once and handled later.
class Server {
public:
  explicit Server(const std::string& service);
  ~Server();
  Server(const Server&) = delete;
  Server& operator=(const Server&) = delete;

  // Whether DDEML took the name.
  bool Registered() const;
  const std::string& Service() const;
  // Topic names compare without regard to case, as DDE names do.
  void AddTopic(const std::string& topic, TopicHandlers handlers);
  void RemoveTopic(const std::string& topic);
  // The text of an item of a topic for requests and advise loops; advise loops on it are
  // told at once.
  void SetItemData(const std::string& topic, const std::string& item, const std::string& text);

private:
  std::shared_ptr<ServerState> state_;
};

} // namespace quolin::dde
