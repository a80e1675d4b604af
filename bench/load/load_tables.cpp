#include "load/load_tables.h"

#include <algorithm>
#include <boost/asio/steady_timer.hpp>
#include <iostream>
#include <nlohmann/json.hpp>

namespace fortuna::load {

namespace {

// How many tables are being seated at once: the listen queue stays short.
constexpr int kSeatingAtOnce = 50;
constexpr auto kLongestWait = std::chrono::seconds(2);

std::string json(const nlohmann::json& message) {
  return message.dump();
}

bool starts(const std::string& message, const char* type) {
  return message.rfind(std::string("{\"type\":\"") + type + "\"", 0) == 0;
}

// A choice that moves the game on, rather than one that asks about it.
bool moves(const std::pair<std::string, std::string>& choice) {
  const char first = choice.first.front();
  return (first >= '0' && first <= '9') || choice.first.rfind("Ctrl+", 0) == 0 ||
         choice.second == "Continuar" || choice.second == "Otra partida";
}

}  // namespace

LoadTables::LoadTables(boost::asio::io_context& io, boost::asio::ip::tcp::endpoint server,
                       int tables)
    : io_(io), server_(std::move(server)), tables_(static_cast<std::size_t>(tables)) {}

bool LoadTables::seat_everyone(std::chrono::seconds within) {
  while (next_to_open_ < kSeatingAtOnce && next_to_open_ < static_cast<int>(tables_.size()))
    open(next_to_open_++);
  const auto end = Clock::now() + within;
  while (seated_ < static_cast<int>(tables_.size()) && Clock::now() < end)
    io_.run_one_for(std::chrono::milliseconds(100));
  return seated_ == static_cast<int>(tables_.size());
}

void LoadTables::open(int t) {
  for (int p = 0; p < 5; ++p) {
    auto connection = std::make_shared<LoadConnection>(
        io_, [this, t, p](const std::string& message) { received(t, p, message); });
    tables_[static_cast<std::size_t>(t)].people[static_cast<std::size_t>(p)].connection =
        connection;
    connection->open(server_, [this, t](bool ok) {
      Table& table = tables_[static_cast<std::size_t>(t)];
      if (!ok) ++errors_;
      if (++table.opened < 5) return;
      // Every request is answered before the next is read: a list's answer says all are done.
      table.stage = 1;
      table.people[0].connection->send(
          json({{"type", "hello"}, {"version", 1}, {"name", "Creador"}}));
      table.people[0].connection->send(
          json({{"type", "create"}, {"table", "Mesa " + std::to_string(t)}}));
      table.people[0].connection->send(json({{"type", "take"}, {"character", 1}}));
      table.people[0].connection->send(json({{"type", "list"}}));
    });
  }
}

void LoadTables::received(int t, int p, const std::string& message) {
  Table& table = tables_[static_cast<std::size_t>(t)];
  if (starts(message, "tables")) return acknowledged(t, p);
  if (starts(message, "error") || starts(message, "goodbye")) {
    if (errors_++ < 5) std::cerr << "fortuna_load: " << message << "\n";
    return;
  }
  if (starts(message, "choices")) {
    auto& choices = table.people[static_cast<std::size_t>(p)].choices;
    choices.clear();
    for (const auto& choice : nlohmann::json::parse(message)["choices"])
      choices.emplace_back(choice["key"], choice["name"]);
    return;
  }
  if ((starts(message, "say") || starts(message, "beep")) && table.presser == p &&
      table.waiting_since) {
    const std::chrono::duration<double, std::milli> took = Clock::now() - *table.waiting_since;
    latencies_.push_back(took.count());
    table.waiting_since.reset();
  }
}

void LoadTables::acknowledged(int t, int p) {
  Table& table = tables_[static_cast<std::size_t>(t)];
  if (table.stage == 1 && p == 0) {
    table.stage = 2;
    for (int other = 1; other < 5; ++other) {
      auto& connection = table.people[static_cast<std::size_t>(other)].connection;
      const bool player = other < 3;
      connection->send(
          json({{"type", "hello"}, {"version", 1}, {"name", "P" + std::to_string(other)}}));
      connection->send(json({{"type", "join"},
                             {"table", "Mesa " + std::to_string(t)},
                             {"as", player ? "player" : "onlooker"}}));
      if (player) connection->send(json({{"type", "take"}, {"character", other + 1}}));
      connection->send(json({{"type", "list"}}));
    }
  } else if (table.stage == 2 && ++table.acknowledged == 4) {
    table.stage = 3;
    table.people[0].connection->send(json({{"type", "start"}}));
    table.people[0].connection->send(json({{"type", "list"}}));
  } else if (table.stage == 3 && p == 0) {
    table.stage = 4;
    ++seated_;
    if (next_to_open_ < static_cast<int>(tables_.size())) open(next_to_open_++);
  }
}

void LoadTables::press(int t) {
  Table& table = tables_[static_cast<std::size_t>(t)];
  // A player with a move to make makes it; otherwise one asks for the heir.
  int presser = -1;
  std::string key = "H";
  for (int p = 0; p < 3 && presser < 0; ++p)
    for (const auto& choice : table.people[static_cast<std::size_t>(p)].choices)
      if (moves(choice)) {
        presser = p;
        key = choice.first;
        break;
      }
  if (presser < 0) presser = sent_ % 3;
  table.presser = presser;
  table.waiting_since = Clock::now();
  table.people[static_cast<std::size_t>(presser)].connection->send(
      json({{"type", "key"}, {"key", key}}));
  ++sent_;
}

void LoadTables::press_keys(int per_second, std::chrono::seconds lasting) {
  const auto start = Clock::now(), end = start + lasting;
  boost::asio::steady_timer tick(io_);
  std::size_t next = 0;
  int due_before = 0;
  while (Clock::now() < end) {
    const std::chrono::duration<double> elapsed = Clock::now() - start;
    const int due = static_cast<int>(elapsed.count() * per_second);
    for (int k = due_before; k < due; ++k) {
      // The next table not waiting for an answer; one waiting too long counts as unanswered.
      for (std::size_t tried = 0; tried < tables_.size();
           ++tried, next = (next + 1) % tables_.size()) {
        Table& table = tables_[next];
        if (table.waiting_since && Clock::now() - *table.waiting_since > kLongestWait) {
          ++unanswered_;
          table.waiting_since.reset();
        }
        if (!table.waiting_since) break;
      }
      press(static_cast<int>(next));
      next = (next + 1) % tables_.size();
    }
    due_before = due;
    tick.expires_after(std::chrono::milliseconds(2));
    tick.async_wait([](boost::system::error_code) {});
    io_.run_one_for(std::chrono::milliseconds(50));
    while (io_.poll_one()) {
    }
  }
  // The last answers, then whatever is still awaited counts as unanswered.
  const auto drained = Clock::now() + kLongestWait;
  const auto waiting = [this] {
    return std::count_if(tables_.begin(), tables_.end(),
                         [](const Table& table) { return table.waiting_since.has_value(); });
  };
  while (waiting() > 0 && Clock::now() < drained) io_.run_one_for(std::chrono::milliseconds(50));
  unanswered_ += static_cast<int>(waiting());
}

}  // namespace fortuna::load
