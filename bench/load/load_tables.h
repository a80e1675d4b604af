// The load benchmark's tables: five connections each (three players, two onlookers), seated
// and started a few tables at a time, then keys pressed at a steady rate, one waiting at a time
// a table, each timed from its sending to the first text or beep its presser gets.
#pragma once

#include <array>
#include <boost/asio/io_context.hpp>
#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "load/load_connection.h"

namespace fortuna::load {

using Clock = std::chrono::steady_clock;

class LoadTables {
 public:
  LoadTables(boost::asio::io_context& io, boost::asio::ip::tcp::endpoint server, int tables);

  // Seats every table; false when that took longer than the time given.
  bool seat_everyone(std::chrono::seconds within);
  // Keys at this rate for this long; what each took, in milliseconds.
  void press_keys(int per_second, std::chrono::seconds lasting);

  const std::vector<double>& latencies() const { return latencies_; }
  int keys_sent() const { return sent_; }
  int keys_unanswered() const { return unanswered_; }
  int errors() const { return errors_; }
  int connections() const { return static_cast<int>(tables_.size()) * 5; }

 private:
  struct Person {
    std::shared_ptr<LoadConnection> connection;
    std::vector<std::pair<std::string, std::string>> choices;  // key, name
  };
  struct Table {
    std::array<Person, 5> people;
    int stage = 0, opened = 0, acknowledged = 0;
    std::optional<Clock::time_point> waiting_since;
    int presser = -1;
  };

  void open(int table);
  void received(int table, int person, const std::string& message);
  void acknowledged(int table, int person);
  void press(int table);

  boost::asio::io_context& io_;
  boost::asio::ip::tcp::endpoint server_;
  std::vector<Table> tables_;
  int next_to_open_ = 0, seated_ = 0, sent_ = 0, unanswered_ = 0, errors_ = 0;
  std::vector<double> latencies_;
};

}  // namespace fortuna::load
