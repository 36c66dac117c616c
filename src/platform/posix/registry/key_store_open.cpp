// Where the store lives and how each root's database is opened and given its schema.
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/posix/file_writes.h"
#include "platform/posix/registry/key_store.h"
#include "platform/registry_location.h"
#include "platform/status.h"
#include "platform/system.h"

namespace vtx::platform {

namespace store {

namespace {

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

// Keys every registry has, so that SET, SETM and the classes view work on a new machine.
const std::vector<std::string>& initial_keys(int root) {
    static const std::vector<std::string> user = {"Control Panel", "Environment", "Software"};
    static const std::vector<std::string> machine = {
        "Hardware", "Software\\Classes",
        "System\\CurrentControlSet\\Control\\Session Manager\\Environment"};
    static const std::vector<std::string> users = {".DEFAULT"};
    return root == kUserDb ? user : root == kMachineDb ? machine : users;
}

int add_initial_keys(Database& db, int root) {
    for (const std::string& path : initial_keys(root)) {
        int64_t parent = kRootId;
        for (const std::string& part : split_path(path)) {
            Query q(db, "INSERT INTO keys(parent, name) VALUES(?1, ?2) "
                        "ON CONFLICT DO UPDATE SET name = name RETURNING id");
            if (q.bind(1, parent).bind(2, part).step() != SQLITE_ROW) return SQLITE_ERROR;
            parent = q.integer(0);
        }
    }
    return SQLITE_OK;
}

// The schema and the initial keys, once per database (user_version marks it done).
int initialise(Database& db, int root) {
    int rc = db.exec("BEGIN IMMEDIATE");
    if (rc != SQLITE_OK) return rc;
    int version = -1;
    {
        Query v(db, "PRAGMA user_version");
        rc = v.step();
        if (rc == SQLITE_ROW) version = int(v.integer(0));
    }
    if (version == 0) {
        rc = db.exec(kSchema);
        if (rc == SQLITE_OK) rc = add_initial_keys(db, root);
        if (rc == SQLITE_OK) rc = db.exec("PRAGMA user_version=1");
    } else if (version > 0) {
        rc = SQLITE_OK;
    }
    if (rc != SQLITE_OK) {
        db.exec("ROLLBACK");
        return rc;
    }
    return db.exec("COMMIT");
}

int open_writable(Database& db, const std::string& path, int root) {
    int rc = db.open_file(path, true);
    if (rc != SQLITE_OK) return rc;
    // Another process's write is waited out, up to a bound, rather than failing at once.
    sqlite3_busy_timeout(db.handle(), 10000);
    db.exec("PRAGMA foreign_keys=ON");
    // The journal mode is kept in the file; another process may be setting it.
    db.exec("PRAGMA journal_mode=WAL");
    // With WAL this loses at most the last commits on a power cut, never the file.
    db.exec("PRAGMA synchronous=NORMAL");
    // The WAL side files stay after the last writer closes, so that users who may only
    // read a store owned by root can still open it.
    int persist = 1;
    sqlite3_file_control(db.handle(), "main", SQLITE_FCNTL_PERSIST_WAL, &persist);
    rc = initialise(db, root);
    if (rc != SQLITE_OK) db.close();
    return rc;
}

// The file as a URI, for the open that reads it as it stands.
std::string immutable_uri(const std::string& path) {
    std::string uri = "file:";
    for (char c : path) {
        if (c == '%' || c == '?' || c == '#') {
            static const char hex[] = "0123456789ABCDEF";
            uri += '%';
            uri += hex[uint8_t(c) >> 4];
            uri += hex[c & 15];
        } else {
            uri += c;
        }
    }
    return uri + "?immutable=1";
}

int open_read_only(Database& db, const std::string& path) {
    int rc = db.open_file(path, false);
    if (rc != SQLITE_OK) return rc;
    sqlite3_busy_timeout(db.handle(), 10000);
    {
        Query probe(db, "SELECT 1 FROM keys WHERE id = 1");
        rc = probe.step();
    }
    // A reader that may not create the journal's side files, when the last writer left
    // none, reads the file as it stands: without a journal it holds everything.
    struct stat wal;
    bool no_journal = ::stat((path + "-wal").c_str(), &wal) != 0 || wal.st_size == 0;
    bool no_side_files = (rc & 0xFF) == SQLITE_CANTOPEN || (rc & 0xFF) == SQLITE_READONLY;
    if (no_side_files && no_journal &&
        db.open_file(immutable_uri(path), false, true) == SQLITE_OK) {
        Query probe(db, "SELECT 1 FROM keys WHERE id = 1");
        rc = probe.step();
    }
    if (rc == SQLITE_ROW) return SQLITE_OK;
    db.close();
    return rc;
}

bool is_busy(int rc) {
    return sqlite_status(rc) == status::kBusy;
}

} // namespace

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

std::string user_folder(const char* xdg_data_home, const char* home,
                        const std::string& account_home) {
    if (xdg_data_home && *xdg_data_home) return std::string(xdg_data_home) + "/vtx32/registry";
    std::string base = home && *home ? std::string(home) : account_home;
    return base + "/.local/share/vtx32/registry";
}

int32_t open_store(Database& db, const std::string& path, mode_t mode, int root) {
    std::string folder = path.substr(0, path.rfind('/'));
    // A private store gets a private folder; the machine's stays readable by every user.
    bool ok = make_folders(folder, mode == 0600 ? 0700 : 0755) == 0;
    struct stat st;
    if (::stat(path.c_str(), &st) == 0) {
        if (!S_ISREG(st.st_mode)) return status::kRegistryCorrupt; // a folder, a device...
    } else if (ok) {
        // Created here first so that the file (and SQLite's side files, which copy its
        // mode) get our mode rather than the default one.
        int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0) ::close(fd);
    }
    int rc = SQLITE_CANTOPEN;
    if (ok && ::access(path.c_str(), R_OK | W_OK) == 0) rc = open_writable(db, path, root);
    // A store that others own (the machine roots, for anyone but root) is read only.
    if (rc != SQLITE_OK && !is_busy(rc) && ::access(path.c_str(), R_OK) == 0)
        rc = open_read_only(db, path);
    if (rc == SQLITE_OK) return 0;
    // Busy: this call says so and the next one tries again, rather than the whole run
    // going on without the store.
    if (is_busy(rc)) return status::kBusy;
    if (sqlite_status(rc) == status::kRegistryCorrupt) return status::kRegistryCorrupt;
    // Nothing to read either: an empty store in memory, so reads find nothing.
    db.open_memory();
    db.exec("PRAGMA foreign_keys=ON");
    initialise(db, root);
    return 0;
}

} // namespace store

void Registry::State::find_store() {
    found = true;
    user = logon_user_name();
    if (user.empty()) user = "uid" + std::to_string(::geteuid());
    std::string user_dir, machine_dir;
    registry_folders(user_dir, machine_dir);
    paths[store::kUserDb] = user_dir + "/HKEY_CURRENT_USER.db";
    paths[store::kMachineDb] = machine_dir + "/HKEY_LOCAL_MACHINE.db";
    paths[store::kUsersDb] = machine_dir + "/HKEY_USERS.db";
}

int32_t Registry::State::ready(int root) {
    if (dbs[root].is_open()) return 0;
    if (!found) find_store();
    // The current user's tree is theirs alone; the machine's trees are read by every user.
    return store::open_store(dbs[root], paths[root], root == store::kUserDb ? 0600 : 0644, root);
}

} // namespace vtx::platform
