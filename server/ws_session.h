// One WebSocket connection: frames read one at a time and handed to the hall, messages queued
// and written in order, the protocol's limits kept. Beast stays inside this file and the
// listener's.
#pragma once

#include <boost/asio/steady_timer.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/http.hpp>
#include <boost/beast/websocket.hpp>
#include <deque>
#include <mutex>

#include "server/guards.h"
#include "server/network.h"

namespace fortuna {

class WsSession final : public Connection, public std::enable_shared_from_this<WsSession> {
 public:
  WsSession(boost::beast::tcp_stream&& stream, Hall& hall,
            std::shared_ptr<const NetworkSettings> settings,
            std::unique_ptr<AddressLimit::Ticket> ticket);
  // The upgrade request already read.
  void start(boost::beast::http::request<boost::beast::http::empty_body> request);

  void send(std::shared_ptr<const std::string> message) override;
  void say_goodbye(Goodbye reason) override;

 private:
  void accepted(boost::beast::error_code error);
  void read();
  void on_read(boost::beast::error_code error);
  void on_message(std::string frame, bool binary);
  void handle(const Request& request);
  void refuse_and_close(Refusal refusal);
  // Under the lock: the last message; then the connection closes.
  void close_after(std::shared_ptr<const std::string> message);
  void write_next();
  void end();

  boost::beast::websocket::stream<boost::beast::tcp_stream> ws_;
  Hall& hall_;
  std::shared_ptr<const NetworkSettings> settings_;
  std::unique_ptr<AddressLimit::Ticket> ticket_;
  boost::beast::flat_buffer in_;
  FloodGate flood_;
  std::optional<PersonId> person_;
  boost::asio::steady_timer deadline_;

  std::mutex mutex_;
  std::deque<std::shared_ptr<const std::string>> queue_;
  std::size_t queued_bytes_ = 0;
  enum class State : std::uint8_t { Open, Closing, Ended } state_ = State::Open;
  bool writing_ = false;
  bool close_sent_ = false;
};

}  // namespace fortuna
