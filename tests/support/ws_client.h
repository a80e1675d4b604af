// A WebSocket client for tests, on loopback: connects, sends, and reads what comes within a
// bounded time, never waiting longer. Beast stays in its .cpp.
#pragma once

#include <chrono>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

namespace fortuna::testing {

using Json = nlohmann::json;
using Millis = std::chrono::milliseconds;

class WsClient {
 public:
  struct Options {
    std::string path = "/ws";
    int receive_buffer = 0;  // SO_RCVBUF, when not 0: a small one makes a slow reader
  };
  WsClient(unsigned short port, Options options);
  explicit WsClient(unsigned short port) : WsClient(port, Options{}) {}
  ~WsClient();
  WsClient(const WsClient&) = delete;
  WsClient& operator=(const WsClient&) = delete;

  bool connected() const;
  bool send(const Json& message);
  enum class Frame { Text, Binary };
  bool send_frame(const std::string& payload, Frame frame = Frame::Text);
  // The next message, or nothing when none came in time or the connection is over.
  std::optional<Json> next(Millis within = Millis(5000));
  // The messages up to and including the first of this type; empty when none came in time.
  std::vector<Json> until(const std::string& type, Millis within = Millis(5000));
  // Whether the server ended the connection within the time (what came meanwhile is kept for
  // next()).
  bool ended(Millis within = Millis(5000));
  // Gone without a word: the socket reset, no closing handshake.
  void drop();

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

struct HttpAnswer {
  int status = 0;  // 0: no answer
  std::string type;
  std::string body;
};
// One plain HTTP request on a new connection.
HttpAnswer http_request(unsigned short port, const std::string& method, const std::string& target);

}  // namespace fortuna::testing
