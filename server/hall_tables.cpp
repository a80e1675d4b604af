// The hall's side of the tables: requests at a table, people going away and coming back, the
// timers that stand in for them and close tables nobody attends.
#include <boost/asio/post.hpp>

#include "server/hall.h"

namespace fortuna {

void Hall::at_table(PersonId person, const std::shared_ptr<Connection>& connection,
                    const Request& request, std::function<void()> done) {
  HostPointer host;
  {
    std::lock_guard lock(mutex_);
    if (const auto found = people_.find(person); found != people_.end()) host = found->second.table;
  }
  if (!host) {
    connection->send(
        std::make_shared<const std::string>(error_message(*refused(Refusal::NotAtTable))));
    return done();
  }
  boost::asio::post(host->strand(), [=, this] {
    const Answer answer =
        host->closed ? refused(Refusal::NotAtTable) : play(*host, person, request);
    if (answer) {
      connection->send(std::make_shared<const std::string>(error_message(*answer)));
    } else if (std::holds_alternative<request::Leave>(request)) {
      host->detach(person, connection.get());
      host->stop_waiting(person);
      {
        std::lock_guard lock(mutex_);
        if (auto found = people_.find(person);
            found != people_.end() && found->second.table == host)
          found->second.table.reset();
      }
      if (host->table().empty()) close_table(host);
    }
    after_change(host);
    done();
  });
}

Answer Hall::play(TableHost& host, PersonId person, const Request& request) {
  Table& table = host.table();
  if (std::holds_alternative<request::Leave>(request)) return table.leave(person);
  if (const auto* take = std::get_if<request::Take>(&request))
    return table.take(person, take->character);
  if (const auto* release = std::get_if<request::Release>(&request))
    return table.release(person, release->character);
  if (const auto* rename = std::get_if<request::Rename>(&request))
    return table.rename(person, rename->character, rename->name);
  if (std::holds_alternative<request::Start>(request)) return table.start(person);
  if (const auto* press = std::get_if<request::Press>(&request))
    return table.press(person, press->key);
  return std::nullopt;
}

void Hall::closed(PersonId person, const std::shared_ptr<Connection>& connection) {
  HostPointer host;
  {
    std::lock_guard lock(mutex_);
    const auto found = people_.find(person);
    if (found == people_.end() || found->second.connection != connection) return;
    found->second.connection.reset();
    host = found->second.table;
    if (!host) return forget(found->second);
  }
  boost::asio::post(host->strand(),
                    [this, host, person, connection] { went_away(host, person, connection); });
}

void Hall::went_away(const HostPointer& host, PersonId person,
                     const std::shared_ptr<Connection>& connection) {
  if (!host->detach(person, connection.get()) || host->closed) return;
  // A server stopping leaves everyone where they were, for when it starts again.
  if (stopping_) return;
  host->table().lost(person, Table::Notice::Told);
  if (host->table().awaited(person)) stand_in_later(host, person);
  if (!host->anyone_connected())
    host->close_unattended(settings_.unattended, [this, host] { close_table(host); });
  after_change(host);
}

void Hall::stand_in_later(const HostPointer& host, PersonId person) {
  host->wait_for(person, settings_.grace, [this, host, person] {
    host->table().stand_in(person);
    after_change(host);
  });
}

void Hall::after_change(const HostPointer& host) {
  host->publish();
}

// On the table's strand: nobody joins it from now on, its people are let go and its events
// leave the journal.
void Hall::close_table(const HostPointer& host) {
  host->closed = true;
  host->cancel_timers();
  const std::vector<PersonId> people = host->table().people();
  {
    std::lock_guard lock(mutex_);
    if (const auto found = tables_.find(host->table().name());
        found != tables_.end() && found->second == host)
      tables_.erase(found);
    for (PersonId id : people) {
      const auto found = people_.find(id);
      if (found == people_.end() || found->second.table != host) continue;
      found->second.table.reset();
      if (!found->second.connection) forget(found->second);
    }
  }
  journal_.close_table(host->key());
}

void Hall::stop() {
  std::vector<std::shared_ptr<Connection>> connections;
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
    for (const auto& [id, person] : people_)
      if (person.connection) connections.push_back(person.connection);
  }
  for (const auto& connection : connections) connection->say_goodbye(Goodbye::ServerStopping);
}

std::size_t Hall::table_count() {
  std::lock_guard lock(mutex_);
  return tables_.size();
}

std::size_t Hall::connection_count() {
  std::lock_guard lock(mutex_);
  std::size_t count = 0;
  for (const auto& [id, person] : people_) count += person.connection ? 1 : 0;
  return count;
}

bool Hall::store(Person& person) {
  if (person.stored) return true;
  person.stored = journal_.add_person({person.id, person.token, person.name});
  return person.stored;
}

void Hall::forget(Person& person) {
  const PersonId id = person.id;
  if (person.stored) journal_.forget_person(id);
  by_token_.erase(person.token);
  people_.erase(id);
}

}  // namespace fortuna
