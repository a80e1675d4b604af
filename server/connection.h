// What the hall and the tables need of a client's connection, whatever carries it.
#pragma once

#include <memory>
#include <string>

#include "narration/refusals.h"

namespace fortuna {

class Connection {
 public:
  virtual ~Connection() = default;
  // Queues a message, from any thread, never waiting; one queued far behind closes the
  // connection (the reader may come back with its token).
  virtual void send(std::shared_ptr<const std::string> message) = 0;
  // The last message, then the connection closes.
  virtual void say_goodbye(Goodbye reason) = 0;
};

}  // namespace fortuna
