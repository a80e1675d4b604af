#include "server/ws_session.h"

#include <boost/asio/post.hpp>

namespace fortuna {

namespace beast = boost::beast;
namespace websocket = beast::websocket;

namespace {
// How long a connection being closed may take to say its last words.
constexpr auto kClosingTime = std::chrono::seconds(5);
// Beast refuses larger messages outright; the protocol's own limit is checked below it, to
// answer with an error first.
constexpr std::size_t kLargestRead = 64 * 1024;
}  // namespace

WsSession::WsSession(beast::tcp_stream&& stream, Hall& hall,
                     std::shared_ptr<const NetworkSettings> settings,
                     std::unique_ptr<AddressLimit::Ticket> ticket)
    : ws_(std::move(stream)),
      hall_(hall),
      settings_(std::move(settings)),
      ticket_(std::move(ticket)),
      flood_(settings_->messages_per_second),
      deadline_(ws_.get_executor()) {}

void WsSession::start(beast::http::request<beast::http::empty_body> request) {
  beast::get_lowest_layer(ws_).expires_never();
  websocket::stream_base::timeout timeout{};
  timeout.handshake_timeout = std::chrono::seconds(10);
  timeout.idle_timeout = settings_->idle;
  timeout.keep_alive_pings = true;
  ws_.set_option(timeout);
  ws_.read_message_max(kLargestRead);
  ws_.auto_fragment(false);
  ws_.text(true);
  ws_.async_accept(request,
                   [self = shared_from_this()](beast::error_code error) { self->accepted(error); });
}

void WsSession::accepted(beast::error_code error) {
  if (error) return end();
  if (ticket_->over()) return refuse_and_close(Refusal::TooManyConnections);
  read();
}

void WsSession::read() {
  if (in_.size() > kLongestFrame) return refuse_and_close(Refusal::TooLarge);
  ws_.async_read_some(
      in_, kLongestFrame + 1 - in_.size(),
      [self = shared_from_this()](beast::error_code error, std::size_t) { self->on_read(error); });
}

void WsSession::on_read(beast::error_code error) {
  if (error) return end();
  if (in_.size() > kLongestFrame) return refuse_and_close(Refusal::TooLarge);
  if (!ws_.is_message_done()) return read();
  std::string frame = beast::buffers_to_string(in_.data());
  in_.consume(in_.size());
  on_message(std::move(frame), ws_.got_binary());
}

void WsSession::on_message(std::string frame, bool binary) {
  {
    // A connection on its way out (replaced, too slow) acts no more.
    std::lock_guard lock(mutex_);
    if (state_ != State::Open) return read();
  }
  if (!flood_.admit(std::chrono::steady_clock::now())) return refuse_and_close(Refusal::Flood);
  auto read = std::variant<Request, Refused>(*refused(Refusal::Malformed));
  if (!binary) read = read_request(frame);
  if (const auto* refusal = std::get_if<Refused>(&read)) {
    if (refusal->refusal == Refusal::Version) return refuse_and_close(Refusal::Version);
    send(std::make_shared<const std::string>(error_message(*refusal)));
    return this->read();
  }
  handle(std::get<Request>(read));
}

void WsSession::handle(const Request& request) {
  auto self = shared_from_this();
  // The next frame is read once the hall has answered this one, back on this connection's strand.
  auto resume = [self] { boost::asio::post(self->ws_.get_executor(), [self] { self->read(); }); };
  if (person_) return hall_.handle(*person_, self, request, resume);
  const auto* hello = std::get_if<request::Hello>(&request);
  if (!hello) {
    send(std::make_shared<const std::string>(error_message(*refused(Refusal::HelloFirst))));
    return read();
  }
  hall_.hello(self, *hello, [self](std::optional<PersonId> person) {
    boost::asio::post(self->ws_.get_executor(), [self, person] {
      if (person) self->person_ = person;
      self->read();
    });
  });
}

void WsSession::refuse_and_close(Refusal refusal) {
  std::lock_guard lock(mutex_);
  close_after(std::make_shared<const std::string>(error_message(*refused(refusal))));
}

void WsSession::send(std::shared_ptr<const std::string> message) {
  std::lock_guard lock(mutex_);
  if (state_ != State::Open) return;
  if (queued_bytes_ + message->size() > settings_->queued_bytes) {
    // What is being written stays; the rest will never be read in time.
    while (queue_.size() > (writing_ ? 1u : 0u)) queue_.pop_back();
    queued_bytes_ = 0;
    return close_after(std::make_shared<const std::string>(goodbye_message(Goodbye::TooSlow)));
  }
  queued_bytes_ += message->size();
  queue_.push_back(std::move(message));
  if (!std::exchange(writing_, true))
    boost::asio::post(ws_.get_executor(), [self = shared_from_this()] { self->write_next(); });
}

void WsSession::say_goodbye(Goodbye reason) {
  std::lock_guard lock(mutex_);
  if (state_ == State::Open)
    close_after(std::make_shared<const std::string>(goodbye_message(reason)));
}

void WsSession::close_after(std::shared_ptr<const std::string> message) {
  if (state_ != State::Open) return;
  state_ = State::Closing;
  queue_.push_back(std::move(message));
  auto self = shared_from_this();
  boost::asio::post(ws_.get_executor(), [self] {
    // A peer that reads nothing more is cut off.
    self->deadline_.expires_after(kClosingTime);
    self->deadline_.async_wait([self](beast::error_code error) {
      if (!error) beast::get_lowest_layer(self->ws_).close();
    });
  });
  if (!std::exchange(writing_, true))
    boost::asio::post(ws_.get_executor(), [self] { self->write_next(); });
}

// On the strand: the queue's first message, or the closing handshake once it is empty.
void WsSession::write_next() {
  std::shared_ptr<const std::string> message;
  {
    std::lock_guard lock(mutex_);
    if (state_ == State::Ended) return;
    if (queue_.empty()) {
      writing_ = false;
      if (state_ != State::Closing || std::exchange(close_sent_, true)) return;
      ws_.async_close(websocket::close_code::normal,
                      [self = shared_from_this()](beast::error_code) { self->end(); });
      return;
    }
    message = queue_.front();
  }
  ws_.async_write(boost::asio::buffer(*message),
                  [self = shared_from_this(), message](beast::error_code error, std::size_t) {
                    if (error) return self->end();
                    {
                      std::lock_guard lock(self->mutex_);
                      if (!self->queue_.empty()) {
                        self->queued_bytes_ -= std::min(self->queued_bytes_, message->size());
                        self->queue_.pop_front();
                      }
                    }
                    self->write_next();
                  });
}

// On the strand, once: the connection is over, whoever ended it.
void WsSession::end() {
  {
    std::lock_guard lock(mutex_);
    if (state_ == State::Ended) return;
    state_ = State::Ended;
    queue_.clear();
    queued_bytes_ = 0;
  }
  deadline_.cancel();
  beast::error_code ignored;
  beast::get_lowest_layer(ws_).socket().shutdown(boost::asio::ip::tcp::socket::shutdown_both,
                                                 ignored);
  beast::get_lowest_layer(ws_).close();
  if (person_) hall_.closed(*person_, shared_from_this());
}

}  // namespace fortuna
