#include "server/journal.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <functional>

#include "data/translate.h"

namespace fortuna {

namespace {

constexpr const char* kSchema = R"(
  CREATE TABLE IF NOT EXISTS people (id INTEGER PRIMARY KEY, token TEXT NOT NULL UNIQUE,
                                     name TEXT NOT NULL);
  CREATE TABLE IF NOT EXISTS tables (id INTEGER PRIMARY KEY, name TEXT NOT NULL);
  CREATE TABLE IF NOT EXISTS events (table_id INTEGER NOT NULL, seq INTEGER NOT NULL,
                                     kind INTEGER NOT NULL, person INTEGER NOT NULL,
                                     number INTEGER NOT NULL, modifiers INTEGER NOT NULL,
                                     text TEXT NOT NULL, PRIMARY KEY (table_id, seq))
                                     WITHOUT ROWID;
)";

// Kept whole against a crash of the process (not of the machine) at each commit. The log is
// copied into the database by a thread of its own: a commit never waits for a disk's sync.
// Small pages: what each commit adds to the log is about one page, an event.
constexpr const char* kSettings = R"(
  PRAGMA page_size = 1024;
  PRAGMA journal_mode = WAL;
  PRAGMA synchronous = NORMAL;
  PRAGMA wal_autocheckpoint = 0;
  PRAGMA busy_timeout = 2000;
)";
constexpr auto kCheckpointEvery = std::chrono::seconds(1);

std::string column_text(sqlite3_stmt* statement, int column) {
  const auto* text = sqlite3_column_text(statement, column);
  return text ? reinterpret_cast<const char*>(text) : "";
}

}  // namespace

// The database's own folder, held by one server at a time for as long as it runs (the system
// lets go of it however the process ends); -1 with the reason when it cannot be.
int hold_folder(const std::filesystem::path& path, std::string& failure) {
  const std::string lock = path.string() + ".lock";
  const int fd = ::open(lock.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) {
    failure = lock + ": " + std::strerror(errno);
    return -1;
  }
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    failure = path.string() + ": " + translate("another server is using this data folder");
    ::close(fd);
    return -1;
  }
  return fd;
}

std::string open_database(const std::filesystem::path& path, sqlite3*& db) {
  const int opened =
      sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
  return opened == SQLITE_OK ? std::string() : db ? sqlite3_errmsg(db) : sqlite3_errstr(opened);
}

std::string run_script(sqlite3* db, const char* script) {
  char* message = nullptr;
  if (sqlite3_exec(db, script, nullptr, nullptr, &message) == SQLITE_OK) return {};
  std::string reason = message ? message : "?";
  sqlite3_free(message);
  return reason;
}

std::variant<std::unique_ptr<Journal>, std::string> Journal::open(
    const std::filesystem::path& path) {
  std::string failure;
  const int lock = hold_folder(path, failure);
  if (lock < 0) return failure;
  std::unique_ptr<Journal> journal(new Journal(lock));
  for (const auto& step : std::initializer_list<std::function<std::string()>>{
           [&] { return open_database(path, journal->db_); },
           [&] { return run_script(journal->db_, kSettings); },
           [&] { return run_script(journal->db_, kSchema); },
           [&] { return open_database(path, journal->checkpoint_db_); },
           [&] { return run_script(journal->checkpoint_db_, "PRAGMA busy_timeout = 2000;"); },
           [&] { return journal->prepare_all(); }})
    if (failure = step(); !failure.empty()) return path.string() + ": " + failure;
  journal->checkpoints_ = std::thread([j = journal.get()] { j->checkpoint_now_and_then(); });
  return journal;
}

// Passive: writers go on meanwhile; what it syncs to disk is the log's own worth.
void Journal::checkpoint_now_and_then() {
  std::unique_lock lock(checkpoint_mutex_);
  while (!stopping_) {
    checkpoint_wanted_.wait_for(lock, kCheckpointEvery, [this] { return stopping_; });
    if (stopping_) break;
    sqlite3_wal_checkpoint_v2(checkpoint_db_, nullptr, SQLITE_CHECKPOINT_PASSIVE, nullptr, nullptr);
  }
}

std::string Journal::prepare_all() {
  const std::pair<sqlite3_stmt**, const char*> statements[] = {
      {&add_person_, "INSERT OR REPLACE INTO people (id, token, name) VALUES (?, ?, ?)"},
      {&forget_person_, "DELETE FROM people WHERE id = ?"},
      {&add_table_, "INSERT INTO tables (name) VALUES (?)"},
      {&record_,
       "INSERT INTO events (table_id, seq, kind, person, number, modifiers, text) "
       "VALUES (?, ?, ?, ?, ?, ?, ?)"},
      {&drop_events_, "DELETE FROM events WHERE table_id = ?"},
      {&drop_table_, "DELETE FROM tables WHERE id = ?"},
  };
  for (const auto& [statement, sql] : statements)
    if (sqlite3_prepare_v3(db_, sql, -1, SQLITE_PREPARE_PERSISTENT, statement, nullptr) !=
        SQLITE_OK)
      return sqlite3_errmsg(db_);
  return {};
}

Journal::~Journal() {
  {
    std::lock_guard lock(checkpoint_mutex_);
    stopping_ = true;
  }
  checkpoint_wanted_.notify_all();
  if (checkpoints_.joinable()) checkpoints_.join();
  sqlite3_close(checkpoint_db_);
  for (sqlite3_stmt* statement :
       {add_person_, forget_person_, add_table_, record_, drop_events_, drop_table_})
    sqlite3_finalize(statement);
  // The last connection closed copies the log into the database and removes it.
  sqlite3_close(db_);
  if (lock_ >= 0) ::close(lock_);
}

bool Journal::run(sqlite3_stmt* statement) {
  const int result = sqlite3_step(statement);
  if (result != SQLITE_DONE) error_ = sqlite3_errmsg(db_);
  sqlite3_reset(statement);
  sqlite3_clear_bindings(statement);
  return result == SQLITE_DONE;
}

std::vector<Journal::Person> Journal::people() {
  std::lock_guard lock(mutex_);
  std::vector<Person> people;
  sqlite3_stmt* statement = nullptr;
  sqlite3_prepare_v2(db_, "SELECT id, token, name FROM people ORDER BY id", -1, &statement,
                     nullptr);
  while (statement && sqlite3_step(statement) == SQLITE_ROW)
    people.push_back(
        {sqlite3_column_int64(statement, 0), column_text(statement, 1), column_text(statement, 2)});
  sqlite3_finalize(statement);
  return people;
}

std::vector<Journal::StoredTable> Journal::tables() {
  std::lock_guard lock(mutex_);
  std::vector<StoredTable> tables;
  sqlite3_stmt* statement = nullptr;
  sqlite3_prepare_v2(db_, "SELECT id, name FROM tables ORDER BY id", -1, &statement, nullptr);
  while (statement && sqlite3_step(statement) == SQLITE_ROW)
    tables.push_back({sqlite3_column_int64(statement, 0), column_text(statement, 1), {}});
  sqlite3_finalize(statement);
  sqlite3_prepare_v2(db_,
                     "SELECT table_id, kind, person, number, modifiers, text FROM events "
                     "ORDER BY table_id, seq",
                     -1, &statement, nullptr);
  auto table = tables.begin();
  while (statement && sqlite3_step(statement) == SQLITE_ROW) {
    const TableKey key = sqlite3_column_int64(statement, 0);
    while (table != tables.end() && table->key < key) ++table;
    if (table == tables.end() || table->key != key) continue;
    ++next_event_[key];
    table->events.push_back({static_cast<TableEvent::Kind>(sqlite3_column_int(statement, 1)),
                             sqlite3_column_int64(statement, 2), sqlite3_column_int(statement, 3),
                             sqlite3_column_int(statement, 4), column_text(statement, 5)});
  }
  sqlite3_finalize(statement);
  return tables;
}

bool Journal::add_person(const Person& person) {
  std::lock_guard lock(mutex_);
  sqlite3_bind_int64(add_person_, 1, person.id);
  sqlite3_bind_text(add_person_, 2, person.token.c_str(), -1, SQLITE_TRANSIENT);
  sqlite3_bind_text(add_person_, 3, person.name.c_str(), -1, SQLITE_TRANSIENT);
  return run(add_person_);
}

bool Journal::forget_person(PersonId id) {
  std::lock_guard lock(mutex_);
  sqlite3_bind_int64(forget_person_, 1, id);
  return run(forget_person_);
}

std::optional<Journal::TableKey> Journal::add_table(const std::string& name) {
  std::lock_guard lock(mutex_);
  sqlite3_bind_text(add_table_, 1, name.c_str(), -1, SQLITE_TRANSIENT);
  if (!run(add_table_)) return std::nullopt;
  const TableKey key = sqlite3_last_insert_rowid(db_);
  next_event_[key] = 0;
  return key;
}

bool Journal::record(TableKey table, const TableEvent& event) {
  std::lock_guard lock(mutex_);
  std::int64_t& next = next_event_[table];
  sqlite3_bind_int64(record_, 1, table);
  sqlite3_bind_int64(record_, 2, next);
  sqlite3_bind_int(record_, 3, static_cast<int>(event.kind));
  sqlite3_bind_int64(record_, 4, event.person);
  sqlite3_bind_int(record_, 5, event.number);
  sqlite3_bind_int(record_, 6, event.modifiers);
  sqlite3_bind_text(record_, 7, event.text.c_str(), -1, SQLITE_TRANSIENT);
  if (!run(record_)) return false;
  ++next;
  return true;
}

bool Journal::close_table(TableKey table) {
  std::lock_guard lock(mutex_);
  sqlite3_bind_int64(drop_events_, 1, table);
  sqlite3_bind_int64(drop_table_, 1, table);
  next_event_.erase(table);
  return run(drop_events_) && run(drop_table_);
}

std::string Journal::last_error() {
  std::lock_guard lock(mutex_);
  return error_;
}

}  // namespace fortuna
