#include "server/guards.h"

namespace fortuna {

std::unique_ptr<AddressLimit::Ticket> AddressLimit::enter(const std::string& address) {
  std::lock_guard lock(mutex_);
  const int count = ++counts_[address];
  return std::make_unique<Ticket>(shared_from_this(), address, count > most_);
}

void AddressLimit::leave(const std::string& address) {
  std::lock_guard lock(mutex_);
  const auto found = counts_.find(address);
  if (found != counts_.end() && --found->second <= 0) counts_.erase(found);
}

bool FloodGate::admit(Time now) {
  if (times_.empty()) return false;
  if (admitted_ == times_.size() && now - times_[next_] < std::chrono::seconds(1)) return false;
  times_[next_] = now;
  next_ = (next_ + 1) % times_.size();
  if (admitted_ < times_.size()) ++admitted_;
  return true;
}

}  // namespace fortuna
