#include "load/load_connection.h"

namespace fortuna::load {

namespace beast = boost::beast;

void LoadConnection::open(const boost::asio::ip::tcp::endpoint& server,
                          std::function<void(bool)> ready) {
  beast::get_lowest_layer(ws_).expires_after(std::chrono::seconds(30));
  beast::get_lowest_layer(ws_).async_connect(
      server, [self = shared_from_this(), ready](beast::error_code error) {
        if (error) return ready(false);
        self->ws_.async_handshake("127.0.0.1", "/ws", [self, ready](beast::error_code error) {
          if (error) return ready(false);
          beast::get_lowest_layer(self->ws_).expires_never();
          self->open_ = true;
          self->read();
          ready(true);
        });
      });
}

void LoadConnection::read() {
  ws_.async_read(buffer_, [self = shared_from_this()](beast::error_code error, std::size_t) {
    if (error) {
      self->open_ = false;
      return;
    }
    const std::string message = beast::buffers_to_string(self->buffer_.data());
    self->buffer_.consume(self->buffer_.size());
    self->received_(message);
    self->read();
  });
}

void LoadConnection::send(std::string message) {
  queue_.push_back(std::move(message));
  if (!writing_) write_next();
}

void LoadConnection::write_next() {
  if (queue_.empty() || !open_) {
    writing_ = false;
    return;
  }
  writing_ = true;
  ws_.text(true);
  ws_.async_write(boost::asio::buffer(queue_.front()),
                  [self = shared_from_this()](beast::error_code error, std::size_t) {
                    if (error) {
                      self->open_ = false;
                      return;
                    }
                    self->queue_.pop_front();
                    self->write_next();
                  });
}

}  // namespace fortuna::load
