#include "client/server_link.h"

#include <boost/asio/connect.hpp>
#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/steady_timer.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/websocket.hpp>
#include <deque>
#include <optional>
#include <thread>

namespace fortuna {

namespace {
namespace asio = boost::asio;
namespace beast = boost::beast;
namespace websocket = beast::websocket;
using tcp = asio::ip::tcp;
using error_code = beast::error_code;

// A drop is tried again soon, then less and less often.
constexpr std::chrono::milliseconds kFirstRetry{300}, kLastRetry{5000};
// The server's messages are small; a history of missed texts is the largest.
constexpr std::size_t kLargestMessage = 1 << 20;
}  // namespace

struct ServerLink::Link : std::enable_shared_from_this<Link> {
  Link(std::string host, std::string port, Callbacks callbacks)
      : host(std::move(host)), port(std::move(port)), callbacks(std::move(callbacks)) {}

  void connect() {
    resolver.async_resolve(host, port, [self = shared_from_this()](error_code e, auto results) {
      if (e) return self->drop(e.message());
      self->socket.emplace(self->io);
      beast::get_lowest_layer(*self->socket).expires_after(std::chrono::seconds(10));
      beast::get_lowest_layer(*self->socket)
          .async_connect(results, [self](error_code e, const tcp::endpoint&) {
            if (e) return self->drop(e.message());
            self->handshake();
          });
    });
  }

  void handshake() {
    beast::get_lowest_layer(*socket).expires_never();
    socket->set_option(websocket::stream_base::timeout::suggested(beast::role_type::client));
    socket->read_message_max(kLargestMessage);
    socket->async_handshake(host, "/ws", [self = shared_from_this()](error_code e) {
      if (e) return self->drop(e.message());
      self->open = true;
      self->retry = kFirstRetry;
      self->callbacks.opened();
      self->read();
    });
  }

  void read() {
    socket->async_read(buffer, [self = shared_from_this()](error_code e, std::size_t) {
      if (e) return self->drop(e.message());
      self->callbacks.received(beast::buffers_to_string(self->buffer.data()));
      self->buffer.consume(self->buffer.size());
      self->read();
    });
  }

  void write_next() {
    if (writing || outbox.empty() || !open) return;
    writing = true;
    socket->text(true);
    socket->async_write(asio::buffer(outbox.front()),
                        [self = shared_from_this()](error_code e, std::size_t) {
                          self->writing = false;
                          if (e) return self->drop(e.message());
                          self->outbox.pop_front();
                          self->write_next();
                        });
  }

  void drop(const std::string& reason) {
    if (stopping) return;
    const bool was_open = std::exchange(open, false);
    writing = false;
    outbox.clear();
    socket.reset();
    buffer.consume(buffer.size());
    if (was_open) callbacks.dropped(reason);
    retry_timer.expires_after(retry);
    retry = std::min(retry * 2, kLastRetry);
    retry_timer.async_wait([self = shared_from_this()](error_code e) {
      if (!e && !self->stopping) self->connect();
    });
  }

  void stop() {
    stopping = true;
    retry_timer.cancel();
    resolver.cancel();
    if (socket) beast::get_lowest_layer(*socket).close();
  }

  std::string host, port;
  Callbacks callbacks;
  asio::io_context io;
  tcp::resolver resolver{io};
  std::optional<websocket::stream<beast::tcp_stream>> socket;
  beast::flat_buffer buffer;
  asio::steady_timer retry_timer{io};
  std::chrono::milliseconds retry = kFirstRetry;
  std::deque<std::string> outbox;
  bool open = false, writing = false, stopping = false;
  std::thread thread;
};

ServerLink::ServerLink(std::string host, std::string port, Callbacks callbacks)
    : link_(std::make_shared<Link>(std::move(host), std::move(port), std::move(callbacks))) {
  link_->connect();
  link_->thread = std::thread([link = link_] { link->io.run(); });
}

ServerLink::~ServerLink() {
  asio::post(link_->io, [link = link_] { link->stop(); });
  link_->thread.join();
}

void ServerLink::send(std::string text) {
  asio::post(link_->io, [link = link_, text = std::move(text)]() mutable {
    if (!link->open) return;
    link->outbox.push_back(std::move(text));
    link->write_next();
  });
}

}  // namespace fortuna
