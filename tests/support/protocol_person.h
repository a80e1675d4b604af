// A person at the table server, for tests: a connection, what it was sent, and its texts kept by
// their number across connections (coming back with the token and what it heard last).
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "support/ws_client.h"

namespace fortuna::testing {

class ProtocolPerson {
 public:
  ProtocolPerson(unsigned short port, std::string name);

  // hello, answered with welcome: the token kept. False when refused or not answered.
  bool greet();
  // Back on a new connection with the token and the number of the last text heard; on another
  // port when the server was started again there.
  bool come_back();
  void move_to(unsigned short port) { port_ = port; }
  // The request, then everything the server sent until it answered a list: the request is done.
  std::vector<Json> request(const Json& message);
  // The same for a key.
  std::vector<Json> press(const std::string& key) {
    return request({{"type", "key"}, {"key", key}});
  }
  // Everything sent so far, up to an answered list.
  std::vector<Json> settle() { return request({{"type", "list"}}); }
  void drop() { client_->drop(); }
  // Whether the last request was answered in time: the table was not stuck.
  bool answered() const { return answered_; }
  bool connected() const { return client_ && client_->connected(); }

  const std::string& name() const { return name_; }
  const std::string& token() const { return token_; }
  // Every message received, in order, but the lists' answers.
  const std::vector<Json>& log() const { return log_; }
  // Every text heard at the table by its number, from says and missed alike.
  const std::map<int, std::string>& texts() const { return texts_; }
  int last_heard() const { return texts_.empty() ? 0 : texts_.rbegin()->first; }
  WsClient& client() { return *client_; }

 private:
  void keep(const Json& message);

  unsigned short port_;
  std::string name_;
  std::string token_;
  std::unique_ptr<WsClient> client_;
  std::vector<Json> log_;
  std::map<int, std::string> texts_;
  bool answered_ = false;
};

}  // namespace fortuna::testing
