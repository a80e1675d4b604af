#include "server/journal.h"

#include <sqlite3.h>

#include "data/translate.h"

namespace fortuna {

namespace {

constexpr const char* kSchema = R"(
  CREATE TABLE IF NOT EXISTS people (id INTEGER PRIMARY KEY, token TEXT NOT NULL UNIQUE,
                                     name TEXT NOT NULL);
  CREATE TABLE IF NOT EXISTS tables (id INTEGER PRIMARY KEY, name TEXT NOT NULL);
  CREATE TABLE IF NOT EXISTS events (id INTEGER PRIMARY KEY, table_id INTEGER NOT NULL,
                                     kind INTEGER NOT NULL, person INTEGER NOT NULL,
                                     number INTEGER NOT NULL, modifiers INTEGER NOT NULL,
                                     text TEXT NOT NULL);
  CREATE INDEX IF NOT EXISTS events_by_table ON events (table_id, id);
)";

// Kept whole against a crash of the process (not of the machine) at each commit; held by this
// server alone, which also spares the shared-memory index.
constexpr const char* kSettings = R"(
  PRAGMA locking_mode = EXCLUSIVE;
  PRAGMA journal_mode = WAL;
  PRAGMA synchronous = NORMAL;
  BEGIN IMMEDIATE;
  COMMIT;
)";

std::string column_text(sqlite3_stmt* statement, int column) {
  const auto* text = sqlite3_column_text(statement, column);
  return text ? reinterpret_cast<const char*>(text) : "";
}

}  // namespace

std::variant<std::unique_ptr<Journal>, std::string> Journal::open(
    const std::filesystem::path& path) {
  sqlite3* db = nullptr;
  const int opened =
      sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
  std::unique_ptr<Journal> journal(new Journal(db));
  if (opened != SQLITE_OK)
    return path.string() + ": " + (db ? sqlite3_errmsg(db) : sqlite3_errstr(opened));
  char* message = nullptr;
  for (const char* script : {kSettings, kSchema}) {
    if (sqlite3_exec(db, script, nullptr, nullptr, &message) == SQLITE_OK) continue;
    std::string reason = message ? message : "?";
    sqlite3_free(message);
    if (sqlite3_errcode(db) == SQLITE_BUSY)
      reason = translate("another server is using this data folder");
    return path.string() + ": " + reason;
  }
  if (std::string failure = journal->prepare_all(); !failure.empty())
    return path.string() + ": " + failure;
  return journal;
}

std::string Journal::prepare_all() {
  const std::pair<sqlite3_stmt**, const char*> statements[] = {
      {&add_person_, "INSERT OR REPLACE INTO people (id, token, name) VALUES (?, ?, ?)"},
      {&forget_person_, "DELETE FROM people WHERE id = ?"},
      {&add_table_, "INSERT INTO tables (name) VALUES (?)"},
      {&record_,
       "INSERT INTO events (table_id, kind, person, number, modifiers, text) "
       "VALUES (?, ?, ?, ?, ?, ?)"},
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
  for (sqlite3_stmt* statement :
       {add_person_, forget_person_, add_table_, record_, drop_events_, drop_table_})
    sqlite3_finalize(statement);
  sqlite3_close(db_);
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
                     "ORDER BY table_id, id",
                     -1, &statement, nullptr);
  auto table = tables.begin();
  while (statement && sqlite3_step(statement) == SQLITE_ROW) {
    const TableKey key = sqlite3_column_int64(statement, 0);
    while (table != tables.end() && table->key < key) ++table;
    if (table == tables.end() || table->key != key) continue;
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
  return sqlite3_last_insert_rowid(db_);
}

bool Journal::record(TableKey table, const TableEvent& event) {
  std::lock_guard lock(mutex_);
  sqlite3_bind_int64(record_, 1, table);
  sqlite3_bind_int(record_, 2, static_cast<int>(event.kind));
  sqlite3_bind_int64(record_, 3, event.person);
  sqlite3_bind_int(record_, 4, event.number);
  sqlite3_bind_int(record_, 5, event.modifiers);
  sqlite3_bind_text(record_, 6, event.text.c_str(), -1, SQLITE_TRANSIENT);
  return run(record_);
}

bool Journal::close_table(TableKey table) {
  std::lock_guard lock(mutex_);
  sqlite3_bind_int64(drop_events_, 1, table);
  sqlite3_bind_int64(drop_table_, 1, table);
  return run(drop_events_) && run(drop_table_);
}

std::string Journal::last_error() {
  std::lock_guard lock(mutex_);
  return error_;
}

}  // namespace fortuna
