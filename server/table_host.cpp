#include "server/table_host.h"

#include <iostream>

#include "data/translate.h"
#include "server/messages.h"

namespace fortuna {

TableHost::TableHost(boost::asio::io_context& io, Journal& journal, Journal::TableKey key,
                     std::string name, Clock& clock, int grace_seconds)
    : journal_(journal),
      key_(key),
      strand_(boost::asio::make_strand(io)),
      table_(std::move(name), clock, *this, this, grace_seconds),
      closing_(strand_) {
  publish();
}

Table::Summary TableHost::summary() const {
  std::lock_guard lock(summary_mutex_);
  return summary_;
}

void TableHost::publish() {
  Table::Summary summary = table_.summary();
  std::lock_guard lock(summary_mutex_);
  summary_ = std::move(summary);
}

void TableHost::attach(PersonId person, std::shared_ptr<Connection> connection) {
  connections_[person] = std::move(connection);
  closing_.cancel();
}

bool TableHost::detach(PersonId person, const Connection* connection) {
  const auto found = connections_.find(person);
  if (found == connections_.end() || found->second.get() != connection) return false;
  connections_.erase(found);
  return true;
}

void TableHost::wait_for(PersonId person, Duration wait, std::function<void()> expired) {
  auto& timer = waits_[person];
  if (!timer) timer = std::make_unique<boost::asio::steady_timer>(strand_);
  timer->expires_after(wait);
  timer->async_wait([expired = std::move(expired)](boost::system::error_code error) {
    if (!error) expired();
  });
}

void TableHost::stop_waiting(PersonId person) {
  if (const auto found = waits_.find(person); found != waits_.end()) waits_.erase(found);
}

void TableHost::close_unattended(Duration wait, std::function<void()> expired) {
  closing_.expires_after(wait);
  closing_.async_wait([this, expired = std::move(expired)](boost::system::error_code error) {
    if (!error && !anyone_connected()) expired();
  });
}

void TableHost::cancel_timers() {
  waits_.clear();
  closing_.cancel();
}

void TableHost::send(PersonId to, const Outgoing& message) {
  const auto found = connections_.find(to);
  if (found == connections_.end()) return;
  found->second->send(std::make_shared<const std::string>(write_message(message)));
}

bool TableHost::record(const TableEvent& event) {
  if (journal_.record(key_, event)) return true;
  report(std::cerr, format_message(translate("the journal could not be written: %s"),
                                   journal_.last_error().c_str()));
  return false;
}

}  // namespace fortuna
