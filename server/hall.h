// The server without its network: the people it knows (by their tokens) and the tables they sit
// at. A connection's requests come here one at a time; each table's run on its own strand.
#pragma once

#include <atomic>
#include <boost/asio/io_context.hpp>
#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <unordered_map>

#include "server/connection.h"
#include "server/journal.h"
#include "server/messages.h"
#include "server/table_host.h"

namespace fortuna {

struct HallSettings {
  // How long a held character waits for a person who went away, before the computer plays it.
  std::chrono::milliseconds grace = std::chrono::minutes(2);
  // How long a table with nobody connected is kept.
  std::chrono::milliseconds unattended = std::chrono::minutes(10);
  std::size_t most_tables = 10000;
};

class Hall {
 public:
  Hall(boost::asio::io_context& io, Journal& journal, Clock& clock, HallSettings settings);
  Hall(const Hall&) = delete;
  Hall& operator=(const Hall&) = delete;

  // Every unfinished table of the journal, played again to where it was; its people away.
  void restore();

  // A connection's greeting: the person it is from now on, or nothing when refused.
  using Greeted = std::function<void(std::optional<PersonId>)>;
  void hello(const std::shared_ptr<Connection>& connection, const request::Hello& hello,
             Greeted done);
  // Any other request of a greeted connection; done runs, on any thread, once it is answered.
  void handle(PersonId person, const std::shared_ptr<Connection>& connection,
              const Request& request, std::function<void()> done);
  // A connection closed; its person is away from their table, if any.
  void closed(PersonId person, const std::shared_ptr<Connection>& connection);

  // Goodbye to every connection; from now on a connection lost leaves its person as they were.
  void stop();
  std::size_t table_count();
  std::size_t connection_count();

 private:
  struct Person {
    PersonId id = 0;
    std::string token;
    std::string name;
    bool stored = false;
    std::shared_ptr<TableHost> table;
    std::shared_ptr<Connection> connection;
  };
  using HostPointer = std::shared_ptr<TableHost>;

  int grace_seconds() const;
  void list(const std::shared_ptr<Connection>& connection);
  void create(PersonId person, const std::shared_ptr<Connection>& connection,
              const std::string& name, std::function<void()> done);
  void join(PersonId person, const std::shared_ptr<Connection>& connection,
            const request::Join& join, std::function<void()> done);
  void sit(const HostPointer& host, PersonId person, const std::string& name,
           const std::shared_ptr<Connection>& connection, Role role, std::function<void()> done);
  void at_table(PersonId person, const std::shared_ptr<Connection>& connection,
                const Request& request, std::function<void()> done);
  Answer play(TableHost& host, PersonId person, const Request& request);
  void come_back(const HostPointer& host, PersonId person,
                 const std::shared_ptr<Connection>& connection, std::optional<int> seen);
  void went_away(const HostPointer& host, PersonId person,
                 const std::shared_ptr<Connection>& connection);
  void stand_in_later(const HostPointer& host, PersonId person);
  void after_change(const HostPointer& host);
  void close_table(const HostPointer& host);
  // Under the lock: a person kept in the journal, so that their token outlives a restart.
  bool store(Person& person);
  void forget(Person& person);

  boost::asio::io_context& io_;
  Journal& journal_;
  Clock& clock_;
  HallSettings settings_;
  std::mutex mutex_;
  std::unordered_map<PersonId, Person> people_;
  std::unordered_map<std::string, PersonId> by_token_;
  std::map<std::string, HostPointer> tables_;
  PersonId next_person_ = 1;
  std::atomic<bool> stopping_ = false;
};

}  // namespace fortuna
