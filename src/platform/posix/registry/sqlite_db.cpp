#include "platform/posix/registry/sqlite_db.h"

#include "platform/status.h"

namespace vtx::platform {

int32_t sqlite_status(int rc) {
    // The low byte is the primary code; extended codes only add detail.
    switch (rc & 0xFF) {
    case SQLITE_OK:
    case SQLITE_DONE:
    case SQLITE_ROW: return 0;
    // A lock held by another process: the script may try again.
    case SQLITE_BUSY:
    case SQLITE_LOCKED: return status::kBusy;
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_AUTH: return status::kAccessDenied;
    case SQLITE_FULL: return status::kDiskFull;
    case SQLITE_NOMEM: return status::kNotEnoughMemory;
    case SQLITE_CONSTRAINT: return status::kKeyDeleted; // a key that went away meanwhile
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB: return status::kRegistryCorrupt;
    // Anything else is the file failing under us, reported as the store's I/O error.
    default: return status::kRegistryIoFailed;
    }
}

int Database::open_file(const std::string& path, bool writable, bool uri) {
    close();
    int flags =
        (writable ? SQLITE_OPEN_READWRITE : SQLITE_OPEN_READONLY) | (uri ? SQLITE_OPEN_URI : 0);
    int rc = sqlite3_open_v2(path.c_str(), &db_, flags, nullptr);
    // SQLite hands out a handle even when the open fails; it must be closed all the same.
    if (rc != SQLITE_OK) close();
    writable_ = rc == SQLITE_OK && writable;
    return rc;
}

int Database::open_memory() {
    close();
    return sqlite3_open_v2(":memory:", &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_MEMORY, nullptr);
}

void Database::close() {
    for (auto& [sql, stmt] : stmts_) sqlite3_finalize(stmt);
    stmts_.clear();
    if (db_) sqlite3_close_v2(db_);
    db_ = nullptr;
    writable_ = false;
}

int Database::last_error() const {
    int rc = db_ ? sqlite3_errcode(db_) : SQLITE_MISUSE;
    return rc == SQLITE_OK || rc == SQLITE_ROW || rc == SQLITE_DONE ? SQLITE_ERROR : rc;
}

int Database::exec(const char* sql) {
    return sqlite3_exec(db_, sql, nullptr, nullptr, nullptr);
}

int Database::run(const char* sql) {
    sqlite3_stmt* s = stmt(sql);
    if (!s) return last_error();
    int rc = sqlite3_step(s);
    sqlite3_reset(s);
    return rc == SQLITE_DONE ? SQLITE_OK : rc;
}

sqlite3_stmt* Database::stmt(const char* sql) {
    auto it = stmts_.find(sql);
    if (it != stmts_.end()) {
        sqlite3_reset(it->second);
        sqlite3_clear_bindings(it->second);
        return it->second;
    }
    sqlite3_stmt* s = nullptr;
    if (sqlite3_prepare_v3(db_, sql, -1, SQLITE_PREPARE_PERSISTENT, &s, nullptr) != SQLITE_OK) {
        sqlite3_finalize(s);
        return nullptr;
    }
    stmts_.emplace(sql, s);
    return s;
}

Query& Query::bind(int i, int64_t v) {
    if (s_) sqlite3_bind_int64(s_, i, v);
    return *this;
}

Query& Query::bind(int i, std::string_view v) {
    if (s_) sqlite3_bind_text(s_, i, v.data(), int(v.size()), SQLITE_STATIC);
    return *this;
}

Query& Query::bind_blob(int i, std::string_view v) {
    if (s_) sqlite3_bind_blob(s_, i, v.data(), int(v.size()), SQLITE_STATIC);
    return *this;
}

int32_t Query::finish() {
    int rc = step();
    return rc == SQLITE_DONE ? 0 : rc == SQLITE_ROW ? status::kRegistryIoFailed : sqlite_status(rc);
}

std::string Query::text(int col) {
    const void* p = sqlite3_column_blob(s_, col);
    return p ? std::string(static_cast<const char*>(p), std::size_t(sqlite3_column_bytes(s_, col)))
             : std::string();
}

int32_t Transaction::commit() {
    done_ = true;
    int rc = db_.run("COMMIT");
    if (rc != SQLITE_OK) db_.run("ROLLBACK");
    return sqlite_status(rc);
}

} // namespace vtx::platform
