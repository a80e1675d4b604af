// The server's journal: people with their tokens, and each unfinished table's events in the
// order they happened, in one SQLite file (write-ahead log). Every event is written before it
// takes effect; a server started again reads them all back. One server at a time holds it (a
// lock on a file beside it).
#pragma once

#include <condition_variable>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <unordered_map>
#include <variant>
#include <vector>

#include "table/table_event.h"

struct sqlite3;
struct sqlite3_stmt;

namespace fortuna {

class Journal {
 public:
  using TableKey = std::int64_t;
  struct Person {
    PersonId id = 0;
    std::string token;
    std::string name;
  };
  struct StoredTable {
    TableKey key = 0;
    std::string name;
    std::vector<TableEvent> events;
  };

  // The journal in this file, made when missing; the reason, in one line, when it cannot be.
  static std::variant<std::unique_ptr<Journal>, std::string> open(
      const std::filesystem::path& path);
  ~Journal();
  Journal(const Journal&) = delete;
  Journal& operator=(const Journal&) = delete;

  std::vector<Person> people();
  std::vector<StoredTable> tables();

  // Each false when it could not be written; last_error() says why.
  bool add_person(const Person& person);
  bool forget_person(PersonId id);
  std::optional<TableKey> add_table(const std::string& name);
  bool record(TableKey table, const TableEvent& event);
  // A table that will not be played again, with its events.
  bool close_table(TableKey table);
  std::string last_error();

 private:
  explicit Journal(int lock) : lock_(lock) {}
  bool run(sqlite3_stmt* statement);
  std::string prepare_all();
  void checkpoint_now_and_then();

  int lock_;
  std::mutex mutex_;
  sqlite3* db_ = nullptr;
  sqlite3_stmt* add_person_ = nullptr;
  sqlite3_stmt* forget_person_ = nullptr;
  sqlite3_stmt* add_table_ = nullptr;
  sqlite3_stmt* record_ = nullptr;
  sqlite3_stmt* drop_events_ = nullptr;
  sqlite3_stmt* drop_table_ = nullptr;
  std::string error_;
  // Each table's events in order: the number the next one takes.
  std::unordered_map<TableKey, std::int64_t> next_event_;

  sqlite3* checkpoint_db_ = nullptr;
  std::thread checkpoints_;
  std::mutex checkpoint_mutex_;
  std::condition_variable checkpoint_wanted_;
  bool stopping_ = false;
};

}  // namespace fortuna
