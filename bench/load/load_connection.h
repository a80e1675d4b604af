// One client of the load benchmark: a WebSocket to the server, its writes queued in order, each
// message handed on as it comes. Everything runs on the benchmark's one thread.
#pragma once

#include <boost/asio/ip/tcp.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/websocket.hpp>
#include <deque>
#include <functional>
#include <memory>
#include <string>

namespace fortuna::load {

class LoadConnection : public std::enable_shared_from_this<LoadConnection> {
 public:
  using Received = std::function<void(const std::string&)>;
  LoadConnection(boost::asio::io_context& io, Received received)
      : ws_(io), received_(std::move(received)) {}

  // Connects and upgrades; then ready(true), or ready(false) when it could not.
  void open(const boost::asio::ip::tcp::endpoint& server, std::function<void(bool)> ready);
  void send(std::string message);
  bool open() const { return open_; }

 private:
  void read();
  void write_next();

  boost::beast::websocket::stream<boost::beast::tcp_stream> ws_;
  boost::beast::flat_buffer buffer_;
  Received received_;
  std::deque<std::string> queue_;
  bool open_ = false, writing_ = false;
};

}  // namespace fortuna::load
