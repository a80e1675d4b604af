// A table as the server hosts it: the table, its strand (whatever touches the table runs there,
// one thing at a time), the connections of the people at it, its journal and its timers.
#pragma once

#include <boost/asio/io_context.hpp>
#include <boost/asio/steady_timer.hpp>
#include <boost/asio/strand.hpp>
#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <mutex>

#include "server/connection.h"
#include "server/journal.h"
#include "table/table.h"

namespace fortuna {

class TableHost final : public Outbox, public TableRecorder {
 public:
  using Strand = boost::asio::strand<boost::asio::io_context::executor_type>;
  using Duration = std::chrono::steady_clock::duration;

  TableHost(boost::asio::io_context& io, Journal& journal, Journal::TableKey key, std::string name,
            Clock& clock, int grace_seconds);

  Strand& strand() { return strand_; }
  Journal::TableKey key() const { return key_; }
  // Any thread: the table as the list of tables shows it, as of its last change.
  Table::Summary summary() const;

  // The rest on the strand only.
  Table& table() { return table_; }
  void attach(PersonId person, std::shared_ptr<Connection> connection);
  // False when the person's connection is another one by now.
  bool detach(PersonId person, const Connection* connection);
  bool anyone_connected() const { return !connections_.empty(); }
  // Calls expired on the strand after this long, unless stopped first (a person coming back).
  void wait_for(PersonId person, Duration wait, std::function<void()> expired);
  void stop_waiting(PersonId person);
  // Calls expired on the strand after this long unless someone connects meanwhile.
  void close_unattended(Duration wait, std::function<void()> expired);
  // After each change: the summary the list shows.
  void publish();
  void cancel_timers();
  // Closed tables take nobody in; a request on its way meanwhile finds it so.
  bool closed = false;

 private:
  void send(PersonId to, const Outgoing& message) override;
  bool record(const TableEvent& event) override;

  Journal& journal_;
  Journal::TableKey key_;
  Strand strand_;
  Table table_;
  std::map<PersonId, std::shared_ptr<Connection>> connections_;
  std::map<PersonId, std::unique_ptr<boost::asio::steady_timer>> waits_;
  boost::asio::steady_timer closing_;
  mutable std::mutex summary_mutex_;
  Table::Summary summary_;
};

}  // namespace fortuna
