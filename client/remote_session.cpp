#include "client/remote_session.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

#include "client/server_link.h"
#include "data/translate.h"
#include "run/failure.h"
#include "run/inbox.h"

namespace fortuna {

namespace {

// How often the list of tables is asked for again while the person is at it.
constexpr auto kListAgain = std::chrono::seconds(5);

class RemoteSession final : public Session {
 public:
  RemoteSession(SessionParts& parts, ServerAddress server, RemoteTable::Place place)
      : Session(parts.transcript, parts.engine),
        speech_(parts.engine),
        inbox_(parts.inbox),
        server_(std::move(server)),
        table_(speech_, parts.platform, parts.settings, std::move(place),
               [this](std::string message) {
                 if (connection_) connection_->send(std::move(message));
               }) {}

  SpeechChannel& speech() override { return speech_; }
  bool ended() const override { return table_.ended(); }
  void use_seats() override {
    throw Failure{translate("a key script for a table server has no seats: its keys are yours")};
  }

  void start() override {
    table_.start();
    // Whatever the connection reports is the table's to hear, on the front end's thread.
    connection_.emplace(
        server_.host, server_.port,
        ServerLink::Callbacks{
            [this] { inbox_.post([this] { table_.opened(); }); },
            [this](std::string text) {
              inbox_.post([this, text = std::move(text)] { table_.received(text); });
            },
            [this](const std::string&) { inbox_.post([this] { table_.dropped(); }); }});
    ticks_ = std::jthread([this](std::stop_token stop) {
      std::mutex mutex;
      std::condition_variable_any never;
      std::unique_lock lock(mutex);
      for (;;) {
        never.wait_for(lock, stop, kListAgain, [] { return false; });
        if (stop.stop_requested()) return;
        inbox_.post([this] { table_.tick(); });
      }
    });
  }

 protected:
  void press(std::optional<CharacterId>, Key key) override { table_.key_down(key); }

 private:
  SpeechChannel speech_;
  Inbox& inbox_;
  ServerAddress server_;
  RemoteTable table_;
  // Last: gone, with their threads, before what they reach.
  std::optional<ServerLink> connection_;
  std::jthread ticks_;
};

}  // namespace

std::optional<ServerAddress> parse_server_address(const std::string& text,
                                                  const std::string& port) {
  std::string host = text, given_port = port;
  if (text.starts_with("[")) {
    const auto end = text.find(']');
    if (end == std::string::npos) return std::nullopt;
    host = text.substr(1, end - 1);
    if (end + 1 < text.size()) {
      if (text[end + 1] != ':') return std::nullopt;
      given_port = text.substr(end + 2);
    }
  } else if (const auto colon = text.rfind(':');
             colon != std::string::npos && text.find(':') == colon) {
    host = text.substr(0, colon);
    given_port = text.substr(colon + 1);
  }
  const bool digits = !given_port.empty() && given_port.size() <= 5 &&
                      given_port.find_first_not_of("0123456789") == std::string::npos;
  if (host.empty() || !digits || std::stoi(given_port) > 65535) return std::nullopt;
  return ServerAddress{host, given_port};
}

MakeSession remote_session(ServerAddress server, RemoteTable::Place place) {
  return [server, place](SessionParts& parts) -> std::unique_ptr<Session> {
    return std::make_unique<RemoteSession>(parts, server, place);
  };
}

}  // namespace fortuna
