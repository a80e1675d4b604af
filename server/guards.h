// The limits a connection meets before its requests reach the hall: how many connections one
// address may hold, and how many messages one connection may send in any second.
#pragma once

#include <chrono>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

namespace fortuna {

class AddressLimit : public std::enable_shared_from_this<AddressLimit> {
 public:
  explicit AddressLimit(int most) : most_(most) {}

  // Held while a connection lasts.
  class Ticket {
   public:
    Ticket(std::shared_ptr<AddressLimit> limit, std::string address, bool over)
        : limit_(std::move(limit)), address_(std::move(address)), over_(over) {}
    Ticket(const Ticket&) = delete;
    Ticket& operator=(const Ticket&) = delete;
    ~Ticket() { limit_->leave(address_); }
    // Whether this connection is one more than its address may hold.
    bool over() const { return over_; }

   private:
    std::shared_ptr<AddressLimit> limit_;
    std::string address_;
    bool over_;
  };
  std::unique_ptr<Ticket> enter(const std::string& address);

 private:
  void leave(const std::string& address);

  int most_;
  std::mutex mutex_;
  std::unordered_map<std::string, int> counts_;
};

class FloodGate {
 public:
  using Time = std::chrono::steady_clock::time_point;
  explicit FloodGate(int most_per_second) : times_(static_cast<std::size_t>(most_per_second)) {}
  // False for a message beyond the most in the second before it, itself included.
  bool admit(Time now);

 private:
  std::vector<Time> times_;  // the last ones admitted, oldest at next_
  std::size_t next_ = 0, admitted_ = 0;
};

}  // namespace fortuna
