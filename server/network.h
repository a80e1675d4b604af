// The server's network: one port for the WebSocket at /ws and the browser page's files at /.
// It reaches the game only through the hall.
#pragma once

#include <boost/asio/io_context.hpp>
#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <variant>

#include "server/hall.h"
#include "table/protocol.h"

namespace fortuna {

struct NetworkSettings {
  std::string address = "127.0.0.1";
  unsigned short port = kDefaultPort;
  int connections_per_address = 32;
  // More messages than this from one connection in any second close it.
  int messages_per_second = 20;
  std::optional<std::filesystem::path> web;  // nothing: no page
  // A connection that sends nothing is pinged after half of this, and closed after all of it.
  std::chrono::milliseconds idle = std::chrono::seconds(60);
  // What may wait unwritten for one connection before it counts as a reader far behind.
  std::size_t queued_bytes = 256 * 1024;
};

class Network {
 public:
  // Listening; the reason, in one line, when it cannot.
  static std::variant<std::unique_ptr<Network>, std::string> open(boost::asio::io_context& io,
                                                                  Hall& hall,
                                                                  const NetworkSettings& settings);
  virtual ~Network() = default;
  virtual unsigned short port() const = 0;
  // No new connections; those open stay for the hall to say goodbye to.
  virtual void stop_listening() = 0;
};

}  // namespace fortuna
