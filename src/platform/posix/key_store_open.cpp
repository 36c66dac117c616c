// Where the store lives and how each root's database is opened and given its schema.
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include "engine/text.h"
#include "platform/posix/key_store.h"

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

int make_folder(const std::string& path, mode_t mode) {
    for (std::size_t i = 1; i <= path.size(); ++i) {
        if (i == path.size() || path[i] == '/') {
            std::string part = path.substr(0, i);
            if (::mkdir(part.c_str(), mode) != 0 && errno != EEXIST) return errno;
        }
    }
    return 0;
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

bool open_writable(Database& db, const std::string& path, int root) {
    if (db.open_file(path, true) != SQLITE_OK) return false;
    sqlite3_busy_timeout(db.handle(), 10000);
    db.exec("PRAGMA foreign_keys=ON");
    // The journal mode is kept in the file; another process may be setting it.
    db.exec("PRAGMA journal_mode=WAL");
    db.exec("PRAGMA synchronous=NORMAL");
    // The WAL side files stay after the last writer closes, so that users who may only
    // read a store owned by root can still open it.
    int persist = 1;
    sqlite3_file_control(db.handle(), "main", SQLITE_FCNTL_PERSIST_WAL, &persist);
    if (initialise(db, root) == SQLITE_OK) return true;
    db.close();
    return false;
}

bool open_read_only(Database& db, const std::string& path) {
    if (::access(path.c_str(), R_OK) != 0 || db.open_file(path, false) != SQLITE_OK) return false;
    sqlite3_busy_timeout(db.handle(), 10000);
    Query probe(db, "SELECT 1 FROM keys WHERE id = 1");
    if (probe.step() == SQLITE_ROW) return true;
    db.close();
    return false;
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

void open_store(Database& db, const std::string& folder, const std::string& file, mode_t mode,
                int root) {
    std::string path = folder + "/" + file;
    bool ok = make_folder(folder, mode == 0600 ? 0700 : 0755) == 0;
    if (ok && ::access(path.c_str(), F_OK) != 0) {
        // Created here first so that the file (and SQLite's side files, which copy its
        // mode) get our mode rather than the default one.
        int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, mode);
        if (fd >= 0) ::close(fd);
    }
    bool writable = ok && ::access(path.c_str(), R_OK | W_OK) == 0;
    if (writable && open_writable(db, path, root)) return;
    // A store that others own (the machine roots, for anyone but root) is read only.
    if (open_read_only(db, path)) return;
    // Nothing to read either: an empty store in memory, so reads find nothing.
    db.open_memory();
    db.exec("PRAGMA foreign_keys=ON");
    initialise(db, root);
}

} // namespace store

namespace {

std::string user_name() {
    struct passwd* pw = ::getpwuid(::geteuid());
    if (pw && pw->pw_name) return pw->pw_name;
    std::string name = "uid";
    append_int(name, int32_t(::geteuid()));
    return name;
}

} // namespace

void Registry::State::open_all() {
    if (opened) return;
    opened = true;
    user = user_name();
    const char* env = std::getenv("VTX32_REGISTRY");
    std::string user_folder, machine_folder;
    if (env && *env) {
        user_folder = machine_folder = env;
    } else {
        const char* xdg = std::getenv("XDG_DATA_HOME");
        const char* home = std::getenv("HOME");
        user_folder =
            xdg && *xdg ? std::string(xdg) : std::string(home ? home : "") + "/.local/share";
        user_folder += "/vtx32/registry";
        machine_folder = "/var/lib/vtx32/registry";
    }
    store::open_store(dbs[store::kUserDb], user_folder, "HKEY_CURRENT_USER.db", 0600,
                      store::kUserDb);
    store::open_store(dbs[store::kMachineDb], machine_folder, "HKEY_LOCAL_MACHINE.db", 0644,
                      store::kMachineDb);
    store::open_store(dbs[store::kUsersDb], machine_folder, "HKEY_USERS.db", 0644, store::kUsersDb);
}

} // namespace vtx::platform
