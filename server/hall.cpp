#include "server/hall.h"

#include <boost/asio/post.hpp>

#include "server/tokens.h"

namespace fortuna {

namespace {

std::shared_ptr<const std::string> shared(std::string text) {
  return std::make_shared<const std::string>(std::move(text));
}

void refuse(Connection& connection, const Refused& refused) {
  connection.send(shared(error_message(refused)));
}

}  // namespace

Hall::Hall(boost::asio::io_context& io, Journal& journal, Clock& clock, HallSettings settings)
    : io_(io), journal_(journal), clock_(clock), settings_(settings) {}

// As the table says it: whole seconds, rounded up.
int Hall::grace_seconds() const {
  return std::max(1, static_cast<int>((settings_.grace.count() + 999) / 1000));
}

void Hall::restore() {
  std::lock_guard lock(mutex_);
  for (const Journal::Person& stored : journal_.people()) {
    people_[stored.id] = {stored.id, stored.token, stored.name, true, nullptr, nullptr};
    by_token_[stored.token] = stored.id;
    next_person_ = std::max(next_person_, stored.id + 1);
  }
  for (Journal::StoredTable& stored : journal_.tables()) {
    auto host = std::make_shared<TableHost>(io_, journal_, stored.key, stored.name, clock_,
                                            grace_seconds());
    host->table().replay(stored.events);
    if (host->table().empty() || tables_.count(stored.name)) {
      journal_.close_table(stored.key);
      continue;
    }
    tables_[stored.name] = host;
    for (PersonId id : host->table().people())
      if (const auto found = people_.find(id); found != people_.end()) found->second.table = host;
    host->publish();
    boost::asio::post(host->strand(), [this, host] {
      for (PersonId id : host->table().people())
        if (host->table().awaited(id)) stand_in_later(host, id);
      host->close_unattended(settings_.unattended, [this, host] { close_table(host); });
    });
  }
  // Tokens of people at no table lead nowhere any more.
  for (auto it = people_.begin(); it != people_.end();) {
    if (it->second.table) {
      ++it;
      continue;
    }
    journal_.forget_person(it->first);
    by_token_.erase(it->second.token);
    it = people_.erase(it);
  }
}

void Hall::hello(const std::shared_ptr<Connection>& connection, const request::Hello& hello,
                 Greeted done) {
  HostPointer host;
  std::shared_ptr<Connection> replaced;
  PersonId id = 0;
  {
    std::lock_guard lock(mutex_);
    if (!hello.token) {
      const auto token = new_token();
      if (!token) {
        refuse(*connection, *refused(Refusal::Unavailable));
        return done(std::nullopt);
      }
      id = next_person_++;
      people_[id] = {id, *token, hello.name, false, nullptr, connection};
      by_token_[*token] = id;
      connection->send(shared(welcome_message(*token, hello.name, false)));
      return done(id);
    }
    const auto found =
        looks_like_token(*hello.token) ? by_token_.find(*hello.token) : by_token_.end();
    if (found == by_token_.end()) {
      refuse(*connection, *refused(Refusal::UnknownToken));
      return done(std::nullopt);
    }
    Person& person = people_.at(found->second);
    id = person.id;
    replaced = std::exchange(person.connection, connection);
    host = person.table;
    connection->send(shared(welcome_message(person.token, person.name, host != nullptr)));
  }
  if (replaced) replaced->say_goodbye(Goodbye::Replaced);
  if (host) come_back(host, id, connection, hello.seen);
  done(id);
}

void Hall::come_back(const HostPointer& host, PersonId person,
                     const std::shared_ptr<Connection>& connection, std::optional<int> seen) {
  boost::asio::post(host->strand(), [this, host, person, connection, seen] {
    host->attach(person, connection);
    host->stop_waiting(person);
    host->table().back(person, seen);
    after_change(host);
  });
}

void Hall::handle(PersonId person, const std::shared_ptr<Connection>& connection,
                  const Request& request, std::function<void()> done) {
  if (std::holds_alternative<request::Hello>(request)) {
    refuse(*connection, *refused(Refusal::HelloAgain));
    return done();
  }
  if (std::holds_alternative<request::List>(request)) {
    list(connection);
    return done();
  }
  if (const auto* create_request = std::get_if<request::Create>(&request))
    return create(person, connection, create_request->table, std::move(done));
  if (const auto* join_request = std::get_if<request::Join>(&request))
    return join(person, connection, *join_request, std::move(done));
  at_table(person, connection, request, std::move(done));
}

void Hall::list(const std::shared_ptr<Connection>& connection) {
  // What one message holds: a page lists this many tables at most, in order of their names.
  constexpr std::size_t kListed = 500;
  std::vector<Table::Summary> tables;
  {
    std::lock_guard lock(mutex_);
    for (const auto& [name, host] : tables_) {
      if (tables.size() == kListed) break;
      tables.push_back(host->summary());
    }
  }
  connection->send(shared(tables_message(tables)));
}

void Hall::create(PersonId person, const std::shared_ptr<Connection>& connection,
                  const std::string& name, std::function<void()> done) {
  HostPointer host;
  std::string person_name;
  std::optional<Refusal> refusal;
  {
    std::lock_guard lock(mutex_);
    const auto found = people_.find(person);
    Person* creator = found == people_.end() ? nullptr : &found->second;
    if (creator) person_name = creator->name;
    if (!creator)
      refusal = Refusal::UnknownToken;
    else if (creator->table)
      refusal = Refusal::AlreadyAtTable;
    else if (tables_.count(name))
      refusal = Refusal::TableExists;
    else if (tables_.size() >= settings_.most_tables)
      refusal = Refusal::ServerFull;
    else if (const auto key = store(*creator) ? journal_.add_table(name) : std::nullopt; !key)
      refusal = Refusal::Unavailable;
    else {
      host = std::make_shared<TableHost>(io_, journal_, *key, name, clock_, grace_seconds());
      tables_[name] = host;
      creator->table = host;
    }
  }
  if (refusal) {
    refuse(*connection, *refused(*refusal));
    return done();
  }
  sit(host, person, person_name, connection, Role::Player, std::move(done));
}

void Hall::join(PersonId person, const std::shared_ptr<Connection>& connection,
                const request::Join& join, std::function<void()> done) {
  HostPointer host;
  std::string name;
  std::optional<Refusal> refusal;
  {
    std::lock_guard lock(mutex_);
    const auto who = people_.find(person);
    const auto found = tables_.find(join.table);
    if (who == people_.end())
      refusal = Refusal::UnknownToken;
    else if (who->second.table)
      refusal = Refusal::AlreadyAtTable;
    else if (found == tables_.end())
      refusal = Refusal::NoSuchTable;
    else if (!store(who->second))
      refusal = Refusal::Unavailable;
    else
      host = who->second.table = found->second;
    if (who != people_.end()) name = who->second.name;
  }
  if (refusal) {
    refuse(*connection, *refused(*refusal));
    return done();
  }
  sit(host, person, name, connection, join.role, std::move(done));
}

void Hall::sit(const HostPointer& host, PersonId person, const std::string& name,
               const std::shared_ptr<Connection>& connection, Role role,
               std::function<void()> done) {
  boost::asio::post(host->strand(), [=, this] {
    host->attach(person, connection);
    Answer answer =
        host->closed ? refused(Refusal::NoSuchTable) : host->table().join(person, name, role);
    if (answer) {
      host->detach(person, connection.get());
      refuse(*connection, *answer);
      {
        std::lock_guard lock(mutex_);
        if (const auto found = people_.find(person);
            found != people_.end() && found->second.table == host)
          found->second.table.reset();
      }
      if (!host->closed && host->table().empty()) close_table(host);
    }
    after_change(host);
    done();
  });
}

}  // namespace fortuna
