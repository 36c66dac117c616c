// The POSIX registry: a real store in SQLite, one database per root. Each operation is one
// transaction, so concurrent runs and killed processes never leave a half-made change.
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <pwd.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>
#include <unordered_map>
#include <vector>

#include "engine/text.h"
#include "platform/files.h"
#include "platform/posix/errno_status.h"
#include "platform/posix/hive_file.h"
#include "platform/registry.h"
#include "platform/registry_location.h"
#include "platform/status.h"

namespace vtx::platform {

namespace {

constexpr std::size_t kMaxKeyName = 255;
constexpr std::size_t kMaxValueName = 16383;
constexpr int kMaxDepth = 512;
constexpr int64_t kRootId = 1;

// Keys and values of one root. Names compare case-blind over A to Z (NOCASE); subkeys
// enumerate by name through the unique index, values by rowid (creation order; an
// overwrite keeps its place). Deleting a key takes its values along; a key with subkeys
// cannot go (the foreign key refuses), so nothing is ever orphaned.
constexpr const char* kSchema = R"(
CREATE TABLE IF NOT EXISTS keys(
    id INTEGER PRIMARY KEY,
    parent INTEGER REFERENCES keys(id),
    name TEXT NOT NULL COLLATE NOCASE,
    class TEXT NOT NULL DEFAULT '',
    UNIQUE(parent, name));
CREATE TABLE IF NOT EXISTS vals(
    key INTEGER NOT NULL REFERENCES keys(id) ON DELETE CASCADE,
    name TEXT NOT NULL COLLATE NOCASE,
    type INTEGER NOT NULL,
    data BLOB NOT NULL,
    UNIQUE(key, name));
INSERT OR IGNORE INTO keys(id, parent, name) VALUES(1, NULL, '');
)";

enum Root { kUserDb, kMachineDb, kUsersDb, kRootCount };

// Keys every registry has, so that SET, SETM and the classes view work on a new machine.
const std::vector<std::string>& initial_keys(int root) {
    static const std::vector<std::string> user = {"Control Panel", "Environment", "Software"};
    static const std::vector<std::string> machine = {
        "Hardware", "Software\\Classes",
        "System\\CurrentControlSet\\Control\\Session Manager\\Environment"};
    static const std::vector<std::string> users = {".DEFAULT"};
    return root == kUserDb ? user : root == kMachineDb ? machine : users;
}

int32_t sqlite_status(int rc) {
    switch (rc & 0xFF) {
    case SQLITE_OK:
    case SQLITE_DONE:
    case SQLITE_ROW: return 0;
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
    default: return status::kRegistryIoFailed;
    }
}

// A place in the store: a database and a key in it.
struct Loc {
    int db = kUserDb;
    int64_t id = kRootId;
    bool operator==(const Loc&) const = default;
};

std::vector<std::string> split_path(const std::string& path) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find('\\', start);
        if (end == std::string::npos) end = path.size();
        if (end > start) parts.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

std::string user_name() {
    struct passwd* pw = ::getpwuid(::geteuid());
    if (pw && pw->pw_name) return pw->pw_name;
    std::string name = "uid";
    append_int(name, int32_t(::geteuid()));
    return name;
}

int make_folder(const std::string& path, mode_t mode) {
    for (std::size_t i = 1; i <= path.size(); ++i) {
        if (i == path.size() || path[i] == '/') {
            std::string part = path.substr(0, i);
            if (::mkdir(part.c_str(), mode) != 0 && errno != EEXIST) return errno;
        }
    }
    return 0;
}

class Database {
  public:
    ~Database() {
        for (auto& [sql, stmt] : stmts_) sqlite3_finalize(stmt);
        if (db_) sqlite3_close_v2(db_);
    }

    // Opens (creating when missing) the database file; falls back to an empty read-only
    // store in memory when the file cannot be had, so reads find nothing and writes get 5.
    void open(const std::string& folder, const std::string& file, mode_t mode, int root) {
        std::string path = folder + "/" + file;
        bool ok = make_folder(folder, mode == 0600 ? 0700 : 0755) == 0;
        if (ok && ::access(path.c_str(), F_OK) != 0) {
            // Created here first so that the file (and SQLite's side files, which copy
            // its mode) get our mode rather than the default one.
            int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, mode);
            if (fd >= 0) ::close(fd);
        }
        writable_ = ok && ::access(path.c_str(), R_OK | W_OK) == 0;
        if (writable_ && sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE, nullptr) == 0) {
            sqlite3_busy_timeout(db_, 10000);
            exec("PRAGMA foreign_keys=ON");
            // The journal mode is kept in the file; another process may be setting it.
            exec("PRAGMA journal_mode=WAL");
            exec("PRAGMA synchronous=NORMAL");
            // The WAL side files stay after the last writer closes, so that users who may
            // only read a store owned by root can still open it.
            int persist = 1;
            sqlite3_file_control(db_, "main", SQLITE_FCNTL_PERSIST_WAL, &persist);
            if (initialise(root) == 0) return;
        }
        if (db_) sqlite3_close_v2(db_);
        db_ = nullptr;
        writable_ = false;
        // A store that others own (the machine roots, for anyone but root) is read only.
        if (::access(path.c_str(), R_OK) == 0 &&
            sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READONLY, nullptr) == 0) {
            sqlite3_busy_timeout(db_, 10000);
            sqlite3_stmt* probe = nullptr;
            bool ok = sqlite3_prepare_v2(db_, "SELECT 1 FROM keys WHERE id = 1", -1, &probe,
                                         nullptr) == 0 &&
                      sqlite3_step(probe) == SQLITE_ROW;
            sqlite3_finalize(probe);
            if (ok) return;
            sqlite3_close_v2(db_);
        }
        // Nothing to read either: an empty store in memory, so reads find nothing.
        sqlite3_open_v2(":memory:", &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_MEMORY, nullptr);
        exec("PRAGMA foreign_keys=ON");
        initialise(root);
    }

    bool writable() const { return writable_; }
    sqlite3* handle() { return db_; }

    int exec(const char* sql) { return sqlite3_exec(db_, sql, nullptr, nullptr, nullptr); }
    // A statement without results run through the cache (transaction control, which
    // every operation repeats).
    int run(const char* sql) {
        sqlite3_stmt* s = stmt(sql);
        if (!s) return SQLITE_ERROR;
        int rc = sqlite3_step(s);
        sqlite3_reset(s);
        return rc == SQLITE_DONE ? SQLITE_OK : rc;
    }

    // A cached prepared statement, reset and unbound for reuse.
    sqlite3_stmt* stmt(const char* sql) {
        auto it = stmts_.find(sql);
        if (it != stmts_.end()) {
            sqlite3_reset(it->second);
            sqlite3_clear_bindings(it->second);
            return it->second;
        }
        sqlite3_stmt* s = nullptr;
        if (sqlite3_prepare_v3(db_, sql, -1, SQLITE_PREPARE_PERSISTENT, &s, nullptr) != 0)
            return nullptr;
        stmts_.emplace(sql, s);
        return s;
    }

  private:
    int initialise(int root) {
        int rc = exec("BEGIN IMMEDIATE");
        if (rc != 0) return rc;
        sqlite3_stmt* v = nullptr;
        int version = 0;
        if (sqlite3_prepare_v2(db_, "PRAGMA user_version", -1, &v, nullptr) == 0 &&
            sqlite3_step(v) == SQLITE_ROW)
            version = sqlite3_column_int(v, 0);
        sqlite3_finalize(v);
        if (version == 0) {
            rc = exec(kSchema);
            for (const std::string& path : initial_keys(root)) {
                int64_t parent = kRootId;
                for (const std::string& part : split_path(path)) {
                    if (rc != 0) break;
                    sqlite3_stmt* s = nullptr;
                    sqlite3_prepare_v2(db_,
                                       "INSERT INTO keys(parent, name) VALUES(?1, ?2) "
                                       "ON CONFLICT DO UPDATE SET name = name RETURNING id",
                                       -1, &s, nullptr);
                    sqlite3_bind_int64(s, 1, parent);
                    sqlite3_bind_text(s, 2, part.c_str(), int(part.size()), SQLITE_TRANSIENT);
                    rc = sqlite3_step(s) == SQLITE_ROW ? 0 : SQLITE_ERROR;
                    if (rc == 0) parent = sqlite3_column_int64(s, 0);
                    sqlite3_finalize(s);
                }
            }
            if (rc == 0) rc = exec("PRAGMA user_version=1");
        }
        if (rc != 0) {
            exec("ROLLBACK");
            return rc;
        }
        return exec("COMMIT");
    }

    sqlite3* db_ = nullptr;
    bool writable_ = false;
    std::unordered_map<const char*, sqlite3_stmt*> stmts_;
};

// Runs statement steps with bound arguments; one object per use of a cached statement.
class Query {
  public:
    Query(Database& db, const char* sql) : s_(db.stmt(sql)) {}
    ~Query() {
        if (s_) sqlite3_reset(s_);
    }
    Query& bind(int i, int64_t v) {
        if (s_) sqlite3_bind_int64(s_, i, v);
        return *this;
    }
    Query& bind(int i, std::string_view v) {
        if (s_) sqlite3_bind_text(s_, i, v.data(), int(v.size()), SQLITE_STATIC);
        return *this;
    }
    Query& bind_blob(int i, std::string_view v) {
        if (s_) sqlite3_bind_blob(s_, i, v.data(), int(v.size()), SQLITE_STATIC);
        return *this;
    }
    // SQLITE_ROW, SQLITE_DONE or an error code.
    int step() { return s_ ? sqlite3_step(s_) : SQLITE_ERROR; }
    int64_t integer(int col) { return sqlite3_column_int64(s_, col); }
    std::string text(int col) {
        const void* p = sqlite3_column_blob(s_, col);
        return p ? std::string(static_cast<const char*>(p),
                               std::size_t(sqlite3_column_bytes(s_, col)))
                 : std::string();
    }

  private:
    sqlite3_stmt* s_;
};

// BEGIN ... COMMIT around one operation; rolled back unless committed.
class Transaction {
  public:
    Transaction(Database& db, bool write) : db_(db) {
        rc_ = db.run(write ? "BEGIN IMMEDIATE" : "BEGIN");
    }
    ~Transaction() {
        if (rc_ == 0 && !done_) db_.run("ROLLBACK");
    }
    int32_t status() const { return sqlite_status(rc_); }
    int32_t commit() {
        done_ = true;
        int rc = db_.run("COMMIT");
        if (rc != 0) db_.run("ROLLBACK");
        return sqlite_status(rc);
    }

  private:
    Database& db_;
    int rc_;
    bool done_ = false;
};

} // namespace

struct Registry::State {
    bool opened = false;
    Database dbs[kRootCount];
    std::string user;
    std::unordered_map<RegKey, Loc> keys;
    RegKey next_key = 1;

    Database& db(const Loc& loc) {
        open_all();
        return dbs[loc.db];
    }

    // Opened on first use, so that a run that never touches the registry creates nothing.
    void open_all() {
        if (opened) return;
        opened = true;
        user = user_name();
        std::string user_folder, machine_folder;
        registry_folders(user_folder, machine_folder);
        dbs[kUserDb].open(user_folder, "HKEY_CURRENT_USER.db", 0600, kUserDb);
        dbs[kMachineDb].open(machine_folder, "HKEY_LOCAL_MACHINE.db", 0644, kMachineDb);
        dbs[kUsersDb].open(machine_folder, "HKEY_USERS.db", 0644, kUsersDb);
    }

    // Where a key handle points; false for a handle that is not open.
    bool locate(RegKey key, Loc& out) {
        switch (key) {
        case kCurrentUser: out = {kUserDb, kRootId}; return true;
        case kLocalMachine: out = {kMachineDb, kRootId}; return true;
        case kUsers: out = {kUsersDb, kRootId}; return true;
        case kClassesRoot: {
            // A view of HKEY_LOCAL_MACHINE\Software\Classes.
            Loc machine{kMachineDb, kRootId};
            return walk(machine, {"Software", "Classes"}, out) == 0;
        }
        default: break;
        }
        auto it = keys.find(key);
        if (it == keys.end()) return false;
        out = it->second;
        return true;
    }

    bool is_users_root(const Loc& loc) const { return loc == Loc{kUsersDb, kRootId}; }

    // One step down: 0 and the child, 2 when there is none.
    int32_t child(const Loc& at, const std::string& name, Loc& out) {
        // HKEY_USERS holds the current user's tree under the user's name.
        if (is_users_root(at) && equal_nocase(name, user)) {
            out = {kUserDb, kRootId};
            return 0;
        }
        Query q(db(at), "SELECT id FROM keys WHERE parent = ?1 AND name = ?2");
        int rc = q.bind(1, at.id).bind(2, name).step();
        if (rc == SQLITE_ROW) {
            out = {at.db, q.integer(0)};
            return 0;
        }
        return rc == SQLITE_DONE ? status::kFileNotFound : sqlite_status(rc);
    }

    // A path through HKEY_USERS into the current user's tree continues in that tree.
    void enter_user_tree(Loc& at, std::vector<std::string>& parts) {
        if (!parts.empty() && is_users_root(at) && equal_nocase(parts[0], user)) {
            at = {kUserDb, kRootId};
            parts.erase(parts.begin());
        }
    }

    bool exists(const Loc& loc) {
        Query q(db(loc), "SELECT 1 FROM keys WHERE id = ?1");
        return q.bind(1, loc.id).step() == SQLITE_ROW;
    }

    int32_t walk(Loc at, const std::vector<std::string>& parts, Loc& out) {
        for (const std::string& part : parts) {
            int32_t status = child(at, part, at);
            if (status != 0) return status;
        }
        out = at;
        return 0;
    }

    RegKey add_handle(const Loc& loc) {
        while (keys.count(next_key) || is_predefined_root(next_key) || next_key == 0) ++next_key;
        keys.emplace(next_key, loc);
        return next_key++;
    }

    // A path may not start with a backslash (the system answers 161 too); key names and
    // depth have the system's limits.
    static int32_t check_path(const std::string& subkey, const std::vector<std::string>& parts) {
        if (!subkey.empty() && subkey[0] == '\\') return status::kBadPathname;
        if (parts.size() > std::size_t(kMaxDepth)) return status::kInvalidParameter;
        for (const std::string& p : parts)
            if (p.size() > kMaxKeyName) return status::kInvalidParameter;
        return 0;
    }

    // Where a (key, subkey path) pair starts and the names below it: 0, or why not.
    int32_t start_path(RegKey parent, const std::string& subkey, Loc& at,
                       std::vector<std::string>& parts) {
        if (!locate(parent, at)) return status::kInvalidHandle;
        parts = split_path(subkey);
        int32_t status = check_path(subkey, parts);
        if (status == 0) enter_user_tree(at, parts);
        return status;
    }

    // The child of that name, created (with `class_name`) when missing.
    int32_t child_or_new(const Loc& at, const std::string& name, const std::string& class_name,
                         Loc& out) {
        int32_t status = child(at, name, out);
        if (status != status::kFileNotFound) return status;
        Database& d = db(at);
        Query q(d, "INSERT INTO keys(parent, name, class) VALUES(?1, ?2, ?3)");
        int rc = q.bind(1, at.id).bind(2, name).bind(3, class_name).step();
        if (rc != SQLITE_DONE) return sqlite_status(rc);
        out = {at.db, sqlite3_last_insert_rowid(d.handle())};
        return 0;
    }

    // Stores a value; the foreign key refuses a key that was deleted meanwhile.
    int32_t put_value(const Loc& at, const std::string& name, uint32_t type,
                      std::string_view data) {
        Query q(db(at), "INSERT INTO vals(key, name, type, data) VALUES(?1, ?2, ?3, ?4) "
                        "ON CONFLICT(key, name) DO UPDATE SET type = excluded.type, "
                        "data = excluded.data");
        int rc = q.bind(1, at.id).bind(2, name).bind(3, int64_t(type)).bind_blob(4, data).step();
        return rc == SQLITE_DONE ? 0 : sqlite_status(rc);
    }

    int32_t open(RegKey parent, const std::string& subkey, KeyAccess access, RegKey& out) {
        Loc at;
        std::vector<std::string> parts;
        int32_t status = start_path(parent, subkey, at, parts);
        if (status != 0) return status;
        Transaction t(db(at), false);
        if (!exists(at)) return status::kKeyDeleted;
        status = walk(at, parts, at);
        if (status != 0) return status;
        if (access != KeyAccess::read && !db(at).writable()) return status::kAccessDenied;
        out = add_handle(at);
        return 0;
    }

    int32_t create(RegKey parent, const std::string& subkey, const std::string& class_name,
                   RegKey& out) {
        Loc at;
        std::vector<std::string> parts;
        int32_t status = start_path(parent, subkey, at, parts);
        if (status != 0) return status;
        Database& d = db(at);
        if (!d.writable()) return status::kAccessDenied;
        Transaction t(d, true);
        if (t.status() != 0) return t.status();
        if (!exists(at)) return status::kKeyDeleted;
        for (const std::string& part : parts) {
            status = child_or_new(at, part, class_name, at);
            if (status != 0) return status;
        }
        status = t.commit();
        if (status == 0) out = add_handle(at);
        return status;
    }

    int32_t remove(RegKey parent, const std::string& subkey) {
        Loc at;
        std::vector<std::string> parts;
        int32_t status = start_path(parent, subkey, at, parts);
        if (status != 0) return status;
        // A root, or the current user's tree seen through HKEY_USERS, cannot go.
        if (parts.empty()) return status::kAccessDenied;
        Database& d = db(at);
        if (!d.writable()) return status::kAccessDenied;
        Transaction t(d, true);
        if (t.status() != 0) return t.status();
        Loc key;
        status = walk(at, parts, key);
        if (status != 0) return status;
        if (key.id == kRootId) return status::kAccessDenied;
        Query has(d, "SELECT 1 FROM keys WHERE parent = ?1 LIMIT 1");
        if (has.bind(1, key.id).step() == SQLITE_ROW) return status::kAccessDenied;
        Query q(d, "DELETE FROM keys WHERE id = ?1");
        int rc = q.bind(1, key.id).step();
        if (rc != SQLITE_DONE) return sqlite_status(rc);
        return t.commit();
    }

    int32_t enum_key(RegKey key, uint32_t index, std::string& name, std::string* class_name) {
        Loc at;
        if (!locate(key, at)) return status::kInvalidHandle;
        if (is_users_root(at)) {
            // The user's own tree is listed among the stored keys in name order.
            Query q(db(at), "SELECT count(*) FROM keys WHERE parent = ?1 AND name < ?2");
            q.bind(1, at.id).bind(2, user).step();
            uint32_t before = uint32_t(q.integer(0));
            if (index == before) {
                name = user;
                if (class_name) class_name->clear();
                return 0;
            }
            if (index > before) --index;
        }
        Query q(db(at), "SELECT name, class FROM keys WHERE parent = ?1 ORDER BY name "
                        "LIMIT 1 OFFSET ?2");
        int rc = q.bind(1, at.id).bind(2, int64_t(index)).step();
        if (rc == SQLITE_DONE) return exists(at) ? status::kNoMoreItems : status::kKeyDeleted;
        if (rc != SQLITE_ROW) return sqlite_status(rc);
        name = q.text(0);
        if (class_name) *class_name = q.text(1);
        return 0;
    }

    int32_t enum_value(RegKey key, uint32_t index, std::string& name, uint32_t* type,
                       std::string* data) {
        Loc at;
        if (!locate(key, at)) return status::kInvalidHandle;
        Query q(db(at), "SELECT name, type, data FROM vals WHERE key = ?1 ORDER BY rowid "
                        "LIMIT 1 OFFSET ?2");
        int rc = q.bind(1, at.id).bind(2, int64_t(index)).step();
        if (rc == SQLITE_DONE) return exists(at) ? status::kNoMoreItems : status::kKeyDeleted;
        if (rc != SQLITE_ROW) return sqlite_status(rc);
        name = q.text(0);
        if (type) *type = uint32_t(q.integer(1));
        if (data) *data = q.text(2);
        return 0;
    }

    int32_t query(RegKey key, const std::string& name, uint32_t& type, std::string& data) {
        Loc at;
        if (!locate(key, at)) return status::kInvalidHandle;
        Query q(db(at), "SELECT type, data FROM vals WHERE key = ?1 AND name = ?2");
        int rc = q.bind(1, at.id).bind(2, name).step();
        if (rc == SQLITE_DONE) return exists(at) ? status::kFileNotFound : status::kKeyDeleted;
        if (rc != SQLITE_ROW) return sqlite_status(rc);
        type = uint32_t(q.integer(0));
        data = q.text(1);
        return 0;
    }

    int32_t set(RegKey key, const std::string& name, uint32_t type, std::string_view data) {
        Loc at;
        if (!locate(key, at)) return status::kInvalidHandle;
        if (name.size() > kMaxValueName) return status::kInvalidParameter;
        if (!db(at).writable()) return status::kAccessDenied;
        return put_value(at, name, type, data); // one statement: one transaction
    }

    int32_t unset(RegKey key, const std::string& name) {
        Loc at;
        if (!locate(key, at)) return status::kInvalidHandle;
        if (!db(at).writable()) return status::kAccessDenied;
        Query q(db(at), "DELETE FROM vals WHERE key = ?1 AND name = ?2");
        int rc = q.bind(1, at.id).bind(2, name).step();
        if (rc != SQLITE_DONE) return sqlite_status(rc);
        return sqlite3_changes(db(at).handle()) ? 0 : status::kFileNotFound;
    }

    // The branch below a key as a hive tree, read inside the caller's transaction.
    int32_t read_tree(const Loc& at, HiveKey& out, int depth) {
        if (depth > kMaxDepth) return status::kInvalidData;
        Database& d = db(at);
        {
            Query q(d, "SELECT name, type, data FROM vals WHERE key = ?1 ORDER BY rowid");
            q.bind(1, at.id);
            int rc;
            while ((rc = q.step()) == SQLITE_ROW)
                out.values.push_back({q.text(0), uint32_t(q.integer(1)), q.text(2)});
            if (rc != SQLITE_DONE) return sqlite_status(rc);
        }
        std::vector<std::pair<int64_t, HiveKey>> children;
        {
            Query q(d, "SELECT id, name, class FROM keys WHERE parent = ?1 ORDER BY name");
            q.bind(1, at.id);
            int rc;
            while ((rc = q.step()) == SQLITE_ROW) {
                HiveKey k;
                k.name = q.text(1);
                k.class_name = q.text(2);
                children.emplace_back(q.integer(0), std::move(k));
            }
            if (rc != SQLITE_DONE) return sqlite_status(rc);
        }
        for (auto& [id, k] : children) {
            int32_t status = read_tree({at.db, id}, k, depth + 1);
            if (status != 0) return status;
            out.subkeys.push_back(std::move(k));
        }
        return 0;
    }

    // Adds a hive tree's values and subkeys below a key, inside the caller's transaction.
    int32_t write_tree(const Loc& at, const HiveKey& tree) {
        for (const HiveValue& v : tree.values) {
            int32_t status = put_value(at, v.name, v.type, v.data);
            if (status != 0) return status;
        }
        for (const HiveKey& k : tree.subkeys) {
            Loc next;
            int32_t status = child_or_new(at, k.name, k.class_name, next);
            if (status == 0) status = write_tree(next, k);
            if (status != 0) return status;
        }
        return 0;
    }

    // Removes everything below a key (its values too), inside the caller's transaction.
    int32_t empty_key(const Loc& at) {
        Database& d = db(at);
        Query sub(d, "WITH RECURSIVE below(id) AS (SELECT id FROM keys WHERE parent = ?1 "
                     "UNION ALL SELECT keys.id FROM keys JOIN below ON keys.parent = below.id) "
                     "DELETE FROM keys WHERE id IN below");
        int rc = sub.bind(1, at.id).step();
        if (rc != SQLITE_DONE) return sqlite_status(rc);
        Query vals(d, "DELETE FROM vals WHERE key = ?1");
        rc = vals.bind(1, at.id).step();
        return rc == SQLITE_DONE ? 0 : sqlite_status(rc);
    }

    int32_t save(RegKey key, const std::string& file) {
        Loc at;
        if (!locate(key, at)) return status::kInvalidHandle;
        HiveKey tree;
        {
            Transaction t(db(at), false);
            if (!exists(at)) return status::kKeyDeleted;
            Query q(db(at), "SELECT name FROM keys WHERE id = ?1");
            q.bind(1, at.id).step();
            tree.name = at.id == kRootId ? std::string("ROOT") : q.text(0);
            int32_t status = read_tree(at, tree, 0);
            if (status != 0) return status;
        }
        std::string bytes = build_hive(tree);
        std::string path = native_path(file);
        int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0)
            return errno == EEXIST ? status::kAlreadyExists : status_from_errno(errno, true);
        std::size_t done = 0;
        int err = 0;
        while (done < bytes.size()) {
            ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) {
                err = errno ? errno : EIO;
                break;
            }
            done += std::size_t(n);
        }
        if (::close(fd) != 0 && !err) err = errno;
        if (err) {
            ::unlink(path.c_str()); // no half-written hive is left behind
            return status_from_errno(err);
        }
        return 0;
    }

    int32_t restore(RegKey key, const std::string& file) {
        Loc at;
        if (!locate(key, at)) return status::kInvalidHandle;
        HiveKey tree;
        int32_t status = read_hive(native_path(file), tree);
        if (status != 0) return status;
        Database& d = db(at);
        if (!d.writable()) return status::kAccessDenied;
        if (is_users_root(at)) return status::kAccessDenied;
        Transaction t(d, true);
        if (t.status() != 0) return t.status();
        if (!exists(at)) return status::kKeyDeleted;
        status = empty_key(at);
        if (status == 0) status = write_tree(at, tree);
        return status == 0 ? t.commit() : status;
    }

    int32_t load(RegKey root, const std::string& name, const std::string& file) {
        if (root != kUsers && root != kLocalMachine) return status::kInvalidParameter;
        if (name.empty() || name.find('\\') != std::string::npos) return status::kInvalidParameter;
        HiveKey tree;
        int32_t status = read_hive(native_path(file), tree);
        if (status != 0) return status;
        Loc at;
        locate(root, at);
        Database& d = db(at);
        if (!d.writable()) return status::kAccessDenied;
        Transaction t(d, true);
        if (t.status() != 0) return t.status();
        Loc existing;
        if (child(at, name, existing) == 0) return status::kAccessDenied; // in use
        tree.name = name;
        HiveKey holder;
        holder.subkeys.push_back(std::move(tree));
        status = write_tree(at, holder);
        return status == 0 ? t.commit() : status;
    }

    int32_t unload(RegKey root, const std::string& name) {
        Loc at;
        if ((root != kUsers && root != kLocalMachine) || !locate(root, at))
            return status::kInvalidParameter;
        Database& d = db(at);
        if (!d.writable()) return status::kAccessDenied;
        Transaction t(d, true);
        if (t.status() != 0) return t.status();
        Loc key;
        int32_t status = child(at, name, key);
        if (status != 0 || key.db != at.db) return status ? status : status::kAccessDenied;
        status = empty_key(key);
        if (status != 0) return status;
        Query q(d, "DELETE FROM keys WHERE id = ?1");
        int rc = q.bind(1, key.id).step();
        return rc == SQLITE_DONE ? t.commit() : sqlite_status(rc);
    }
};

Registry::Registry() : state_(std::make_unique<State>()) {}
Registry::~Registry() = default;

int32_t Registry::connect(const std::string&, RegKey, RegKey&) {
    return status::kNotSupported; // no remote registry on POSIX
}

int32_t Registry::open_key(RegKey parent, const std::string& subkey, KeyAccess access,
                           RegKey& out) {
    return state_->open(parent, subkey, access, out);
}

int32_t Registry::create_key(RegKey parent, const std::string& subkey,
                             const std::string& class_name, KeyAccess, RegKey& out) {
    return state_->create(parent, subkey, class_name, out);
}

void Registry::close_key(RegKey key) {
    state_->keys.erase(key);
}

int32_t Registry::delete_key(RegKey parent, const std::string& subkey) {
    return state_->remove(parent, subkey);
}

int32_t Registry::enum_key(RegKey key, uint32_t index, std::string& name, std::string* class_name) {
    return state_->enum_key(key, index, name, class_name);
}

int32_t Registry::enum_value(RegKey key, uint32_t index, std::string& name, uint32_t* type,
                             std::string* data) {
    return state_->enum_value(key, index, name, type, data);
}

int32_t Registry::query_value(RegKey key, const std::string& name, uint32_t& type,
                              std::string& data) {
    return state_->query(key, name, type, data);
}

int32_t Registry::set_value(RegKey key, const std::string& name, uint32_t type,
                            std::string_view data) {
    return state_->set(key, name, type, data);
}

int32_t Registry::delete_value(RegKey key, const std::string& name) {
    return state_->unset(key, name);
}

int32_t Registry::save_key(RegKey key, const std::string& file) {
    return state_->save(key, file);
}

int32_t Registry::restore_key(RegKey key, const std::string& file) {
    return state_->restore(key, file);
}

int32_t Registry::load_hive(RegKey root, const std::string& name, const std::string& file) {
    return state_->load(root, name, file);
}

int32_t Registry::unload_hive(RegKey root, const std::string& name) {
    return state_->unload(root, name);
}

// Access here rests on file modes, not on privileges.
int32_t Registry::enable_privilege(const char*, PrivilegeGrant&) {
    return status::kNotSupported;
}
void Registry::withdraw_privilege(PrivilegeGrant&) {}

void Registry::broadcast_environment_change() {}

} // namespace vtx::platform
