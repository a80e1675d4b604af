#include "support/ws_client.h"

#include <boost/asio/connect.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/http.hpp>
#include <boost/beast/websocket.hpp>
#include <deque>

namespace fortuna::testing {

namespace asio = boost::asio;
namespace beast = boost::beast;
namespace websocket = beast::websocket;
using tcp = asio::ip::tcp;

struct WsClient::Impl {
  asio::io_context io;
  websocket::stream<beast::tcp_stream> ws{io};
  beast::flat_buffer buffer;
  std::deque<Json> inbox;
  bool open = false, over = false;

  // Runs handlers until done() or the time is up; false on time up.
  template <typename Done>
  bool pump(Done done, Millis within) {
    const auto end = std::chrono::steady_clock::now() + within;
    while (!done()) {
      const auto now = std::chrono::steady_clock::now();
      if (now >= end) return false;
      if (io.stopped()) io.restart();
      io.run_one_for(end - now);
    }
    return true;
  }

  void read() {
    ws.async_read(buffer, [this](beast::error_code error, std::size_t) {
      if (error) {
        over = true;
        return;
      }
      inbox.push_back(Json::parse(beast::buffers_to_string(buffer.data()), nullptr, false));
      buffer.consume(buffer.size());
      read();
    });
  }
};

WsClient::WsClient(unsigned short port, Options options) : impl_(std::make_unique<Impl>()) {
  Impl& c = *impl_;
  auto& socket = beast::get_lowest_layer(c.ws).socket();
  beast::error_code error;
  socket.open(tcp::v4(), error);
  if (options.receive_buffer)
    socket.set_option(asio::socket_base::receive_buffer_size(options.receive_buffer), error);
  bool done = false;
  beast::get_lowest_layer(c.ws).async_connect(
      tcp::endpoint(asio::ip::make_address("127.0.0.1"), port),
      [&](beast::error_code e) { error = e, done = true; });
  if (!c.pump([&] { return done; }, Millis(5000)) || error) return;
  done = false;
  c.ws.async_handshake("127.0.0.1", options.path, [&](beast::error_code e) {
    error = e;
    done = true;
  });
  if (!c.pump([&] { return done; }, Millis(5000)) || error) return;
  c.open = true;
  c.read();
}

WsClient::~WsClient() {
  beast::error_code ignored;
  beast::get_lowest_layer(impl_->ws).socket().close(ignored);
}

bool WsClient::connected() const {
  return impl_->open && !impl_->over;
}

bool WsClient::send(const Json& message) {
  return send_frame(message.dump());
}

bool WsClient::send_frame(const std::string& payload, Frame frame) {
  Impl& c = *impl_;
  if (!connected()) return false;
  c.ws.text(frame == Frame::Text);
  bool done = false;
  beast::error_code error;
  c.ws.async_write(asio::buffer(payload), [&](beast::error_code e, std::size_t) {
    error = e;
    done = true;
  });
  return c.pump([&] { return done; }, Millis(5000)) && !error;
}

std::optional<Json> WsClient::next(Millis within) {
  Impl& c = *impl_;
  if (!c.open) return std::nullopt;
  c.pump([&] { return !c.inbox.empty() || c.over; }, within);
  if (c.inbox.empty()) return std::nullopt;
  Json message = std::move(c.inbox.front());
  c.inbox.pop_front();
  return message;
}

std::vector<Json> WsClient::until(const std::string& type, Millis within) {
  const auto end = std::chrono::steady_clock::now() + within;
  std::vector<Json> messages;
  while (true) {
    const auto left = std::chrono::duration_cast<Millis>(end - std::chrono::steady_clock::now());
    auto message = next(std::max(left, Millis(0)));
    if (!message) return {};
    messages.push_back(std::move(*message));
    if (messages.back().value("type", "") == type) return messages;
  }
}

bool WsClient::ended(Millis within) {
  Impl& c = *impl_;
  return c.pump([&] { return c.over || !c.open; }, within);
}

void WsClient::drop() {
  auto& socket = beast::get_lowest_layer(impl_->ws).socket();
  beast::error_code ignored;
  socket.set_option(asio::socket_base::linger(true, 0), ignored);
  socket.close(ignored);
  impl_->over = true;
}

HttpAnswer http_request(unsigned short port, const std::string& method, const std::string& target) {
  namespace http = beast::http;
  asio::io_context io;
  beast::tcp_stream stream(io);
  HttpAnswer answer;
  http::request<http::empty_body> request{http::string_to_verb(method), target, 11};
  request.set(http::field::host, "127.0.0.1");
  http::response_parser<http::string_body> parser;
  // A HEAD answer announces a body it does not send.
  parser.skip(method == "HEAD");
  beast::flat_buffer buffer;
  const auto read = [&](beast::error_code error, std::size_t) {
    if (error) return;
    answer.status = parser.get().result_int();
    answer.type = std::string(parser.get()[http::field::content_type]);
    answer.body = parser.get().body();
  };
  const auto written = [&](beast::error_code error, std::size_t) {
    if (!error) http::async_read(stream, buffer, parser, read);
  };
  stream.expires_after(std::chrono::seconds(5));
  stream.async_connect(tcp::endpoint(asio::ip::make_address("127.0.0.1"), port),
                       [&](beast::error_code error) {
                         if (!error) http::async_write(stream, request, written);
                       });
  io.run_for(std::chrono::seconds(6));
  return answer;
}

}  // namespace fortuna::testing
