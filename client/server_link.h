// A WebSocket to the table server on a thread of its own, which comes back by itself after a
// drop. Each message that arrives, and each time the link opens or drops, reaches the callbacks
// on that thread, for their owner to post to its loop. Beast stays inside server_link.cpp.
#pragma once

#include <functional>
#include <memory>
#include <string>

namespace fortuna {

class ServerLink {
 public:
  struct Callbacks {
    std::function<void()> opened;                            // connected, again after a drop
    std::function<void(std::string text)> received;          // one text frame
    std::function<void(const std::string& reason)> dropped;  // lost; it is tried again
  };

  // Starts connecting at once; host and port as the command line gave them.
  ServerLink(std::string host, std::string port, Callbacks callbacks);
  ~ServerLink();
  ServerLink(const ServerLink&) = delete;
  ServerLink& operator=(const ServerLink&) = delete;

  // From any thread; sent in order once connected, dropped while the link is down.
  void send(std::string text);

 private:
  struct Link;
  std::shared_ptr<Link> link_;
};

}  // namespace fortuna
