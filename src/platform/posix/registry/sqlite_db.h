// A thin layer over SQLite for the registry store: a database with cached statements, one
// statement use with bound arguments, and one transaction. Every result code is checked by
// the caller through sqlite_status, which turns it into the Win32 number scripts read.
#pragma once

#include <cstdint>
#include <sqlite3.h>
#include <string>
#include <string_view>
#include <unordered_map>

namespace vtx::platform {

// 0 for SQLITE_OK, SQLITE_DONE and SQLITE_ROW; otherwise the Win32 status of the failure
// (170 busy, 5 read-only, 112 full, 1015 corrupt, 1016 anything else).
int32_t sqlite_status(int rc);

class Database {
  public:
    Database() = default;
    ~Database() { close(); }
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // Opens an existing file for reading and writing, or for reading only (`path` may then
    // be a "file:" URI when `uri` is set): SQLITE_OK or the failure (the handle is released
    // on failure).
    int open_file(const std::string& path, bool writable, bool uri = false);
    // An empty database in memory that nothing else sees.
    int open_memory();
    void close();

    bool is_open() const { return db_ != nullptr; }
    bool writable() const { return writable_; }
    sqlite3* handle() { return db_; }

    // Why the last call failed (also a statement that could not be prepared).
    int last_error() const;

    // Runs SQL text that returns no rows (schema, pragmas).
    int exec(const char* sql);
    // A cached statement without results stepped once: SQLITE_OK or the failure.
    int run(const char* sql);
    // A cached prepared statement, reset and unbound for reuse; null when it cannot be
    // prepared (a store that is not a database, or is damaged).
    sqlite3_stmt* stmt(const char* sql);

  private:
    sqlite3* db_ = nullptr;
    bool writable_ = false;
    std::unordered_map<const char*, sqlite3_stmt*> stmts_;
};

// One use of a cached statement: bind, step, read columns; reset when it goes.
class Query {
  public:
    Query(Database& db, const char* sql) : db_(db), s_(db.stmt(sql)) {}
    ~Query() {
        if (s_) sqlite3_reset(s_);
    }
    Query(const Query&) = delete;
    Query& operator=(const Query&) = delete;

    Query& bind(int i, int64_t v);
    Query& bind(int i, std::string_view v);
    Query& bind_blob(int i, std::string_view v);
    // SQLITE_ROW, SQLITE_DONE or an error code.
    int step() { return s_ ? sqlite3_step(s_) : db_.last_error(); }
    // Steps a statement that returns no rows: 0, or the Win32 status of the failure.
    int32_t finish();
    int64_t integer(int col) { return sqlite3_column_int64(s_, col); }
    std::string text(int col);

  private:
    Database& db_;
    sqlite3_stmt* s_;
};

// BEGIN ... COMMIT around one operation; rolled back unless committed.
class Transaction {
  public:
    Transaction(Database& db, bool write) : db_(db) {
        rc_ = db.run(write ? "BEGIN IMMEDIATE" : "BEGIN");
    }
    ~Transaction() {
        if (rc_ == SQLITE_OK && !done_) db_.run("ROLLBACK");
    }
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    int32_t status() const { return sqlite_status(rc_); }
    int32_t commit();

  private:
    Database& db_;
    int rc_;
    bool done_ = false;
};

} // namespace vtx::platform
