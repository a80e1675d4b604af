// The port: connections accepted and counted by address; each first read as HTTP, then either
// upgraded to the WebSocket at /ws or answered with a file of the page.
#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/strand.hpp>
#include <fstream>
#include <sstream>

#include "server/web_files.h"
#include "server/ws_session.h"

namespace fortuna {

namespace {

namespace asio = boost::asio;
namespace beast = boost::beast;
namespace http = beast::http;
using tcp = asio::ip::tcp;

constexpr auto kRequestTime = std::chrono::seconds(10);
constexpr std::size_t kLargestWebFile = 16 * 1024 * 1024;

std::optional<std::string> file_contents(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream contents;
  if (!(contents << in.rdbuf()) || contents.tellp() > static_cast<std::streamoff>(kLargestWebFile))
    return std::nullopt;
  return contents.str();
}

http::response<http::string_body> answer(const http::request<http::empty_body>& request,
                                         const NetworkSettings& settings, bool over) {
  http::response<http::string_body> response{http::status::ok, request.version()};
  response.set(http::field::server, "fortuna");
  response.keep_alive(request.keep_alive() && !over);
  const auto refuse = [&](http::status status) {
    response.result(status);
    response.set(http::field::content_type, "text/plain; charset=utf-8");
    response.body() = std::string(http::obsolete_reason(status)) + "\n";
    response.prepare_payload();
    return response;
  };
  if (over) return refuse(http::status::service_unavailable);
  if (request.method() != http::verb::get && request.method() != http::verb::head) {
    response.set(http::field::allow, "GET, HEAD");
    return refuse(http::status::method_not_allowed);
  }
  const auto file = settings.web ? find_web_file(*settings.web, request.target()) : std::nullopt;
  const auto contents = file ? file_contents(file->path) : std::nullopt;
  if (!contents) return refuse(http::status::not_found);
  response.set(http::field::content_type, file->type);
  response.set("X-Content-Type-Options", "nosniff");
  response.set(http::field::cache_control, "no-cache");
  response.body() = *contents;
  response.prepare_payload();
  if (request.method() == http::verb::head) response.body().clear();
  return response;
}

class HttpSession : public std::enable_shared_from_this<HttpSession> {
 public:
  HttpSession(tcp::socket&& socket, Hall& hall, std::shared_ptr<const NetworkSettings> settings,
              std::unique_ptr<AddressLimit::Ticket> ticket)
      : stream_(std::move(socket)),
        hall_(hall),
        settings_(std::move(settings)),
        ticket_(std::move(ticket)) {}

  void read() {
    parser_.emplace();
    parser_->header_limit(8 * 1024);
    stream_.expires_after(kRequestTime);
    http::async_read(stream_, buffer_, *parser_,
                     [self = shared_from_this()](beast::error_code error, std::size_t) {
                       self->on_read(error);
                     });
  }

 private:
  void on_read(beast::error_code error) {
    if (error) return close();
    auto request = parser_->release();
    if (beast::websocket::is_upgrade(request)) {
      // A query may say which table a proxy in front routes it by; the server needs none.
      const std::string_view target = request.target();
      if (target.substr(0, target.find('?')) != "/ws") return close();
      return std::make_shared<WsSession>(std::move(stream_), hall_, settings_, std::move(ticket_))
          ->start(std::move(request));
    }
    auto response = std::make_shared<http::response<http::string_body>>(
        answer(request, *settings_, ticket_->over()));
    http::async_write(stream_, *response,
                      [self = shared_from_this(), response](beast::error_code error, std::size_t) {
                        if (error || !response->keep_alive()) return self->close();
                        self->read();
                      });
  }

  void close() {
    beast::error_code ignored;
    stream_.socket().shutdown(tcp::socket::shutdown_both, ignored);
    stream_.close();
  }

  beast::tcp_stream stream_;
  Hall& hall_;
  std::shared_ptr<const NetworkSettings> settings_;
  std::unique_ptr<AddressLimit::Ticket> ticket_;
  beast::flat_buffer buffer_;
  std::optional<http::request_parser<http::empty_body>> parser_;
};

class Listener final : public Network, public std::enable_shared_from_this<Listener> {
 public:
  Listener(asio::io_context& io, Hall& hall, const NetworkSettings& settings)
      : io_(io),
        hall_(hall),
        settings_(std::make_shared<const NetworkSettings>(settings)),
        acceptor_(asio::make_strand(io)),
        pause_(acceptor_.get_executor()),
        limit_(std::make_shared<AddressLimit>(settings.connections_per_address)) {}

  std::string listen() {
    beast::error_code error;
    const auto address = asio::ip::make_address(settings_->address, error);
    if (error) return settings_->address + ": " + error.message();
    const tcp::endpoint endpoint{address, settings_->port};
    acceptor_.open(endpoint.protocol(), error);
    if (!error) acceptor_.set_option(asio::socket_base::reuse_address(true), error);
    if (!error) acceptor_.bind(endpoint, error);
    if (!error) acceptor_.listen(asio::socket_base::max_listen_connections, error);
    if (error)
      return settings_->address + ":" + std::to_string(settings_->port) + ": " + error.message();
    port_ = acceptor_.local_endpoint().port();
    return {};
  }

  void accept() {
    acceptor_.async_accept(
        asio::make_strand(io_),
        [self = shared_from_this()](beast::error_code error, tcp::socket socket) {
          self->accepted(error, std::move(socket));
        });
  }

  unsigned short port() const override { return port_; }

  void stop_listening() override {
    asio::post(acceptor_.get_executor(), [self = shared_from_this()] {
      beast::error_code ignored;
      self->stopped_ = true;
      self->pause_.cancel();
      self->acceptor_.close(ignored);
    });
  }

 private:
  void accepted(beast::error_code error, tcp::socket socket) {
    if (stopped_) return;
    if (error) {
      // Out of descriptors, say: a moment's pause rather than a busy loop.
      pause_.expires_after(std::chrono::milliseconds(100));
      pause_.async_wait([self = shared_from_this()](beast::error_code waited) {
        if (!waited) self->accept();
      });
      return;
    }
    beast::error_code ignored;
    const auto peer = socket.remote_endpoint(ignored);
    socket.set_option(tcp::no_delay(true), ignored);
    auto ticket = limit_->enter(peer.address().to_string());
    std::make_shared<HttpSession>(std::move(socket), hall_, settings_, std::move(ticket))->read();
    accept();
  }

  asio::io_context& io_;
  Hall& hall_;
  std::shared_ptr<const NetworkSettings> settings_;
  tcp::acceptor acceptor_;
  asio::steady_timer pause_;
  std::shared_ptr<AddressLimit> limit_;
  unsigned short port_ = 0;
  bool stopped_ = false;
};

}  // namespace

std::variant<std::unique_ptr<Network>, std::string> Network::open(asio::io_context& io, Hall& hall,
                                                                  const NetworkSettings& settings) {
  auto listener = std::make_shared<Listener>(io, hall, settings);
  if (std::string failure = listener->listen(); !failure.empty()) return failure;
  listener->accept();
  // The network is the listener; the pointer handed out keeps it alive with its own handlers.
  struct Holder final : Network {
    explicit Holder(std::shared_ptr<Listener> l) : listener(std::move(l)) {}
    ~Holder() override { listener->stop_listening(); }
    unsigned short port() const override { return listener->port(); }
    void stop_listening() override { listener->stop_listening(); }
    std::shared_ptr<Listener> listener;
  };
  return std::unique_ptr<Network>(std::make_unique<Holder>(listener));
}

}  // namespace fortuna
