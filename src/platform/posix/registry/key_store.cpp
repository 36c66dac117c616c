// Keys and values of the POSIX store: paths, handles and the single-key operations.
#include "platform/posix/registry/key_store.h"

#include "platform/status.h"
#include "platform/text_rules.h"

namespace vtx::platform {

using store::kRootId;
using store::Loc;

namespace {

// A path may not start with a backslash (the system answers 161 too); key names and depth
// have the system's limits.
int32_t check_path(const std::string& subkey, const std::vector<std::string>& parts) {
    if (!subkey.empty() && subkey[0] == '\\') return status::kBadPathname;
    if (parts.size() > std::size_t(store::kMaxDepth)) return status::kInvalidParameter;
    for (const std::string& p : parts)
        if (p.size() > store::kMaxKeyName) return status::kInvalidParameter;
    return 0;
}

// What an empty result means: `missing` when the key is still there, else why not.
int32_t empty_result(Registry::State& s, const Loc& at, int32_t missing) {
    int32_t status = s.present(at);
    return status == 0 ? missing : status;
}

} // namespace

int32_t Registry::State::locate(RegKey key, Loc& out) {
    switch (key) {
    case kCurrentUser: out = {store::kUserDb, kRootId}; break;
    case kLocalMachine: out = {store::kMachineDb, kRootId}; break;
    case kUsers: out = {store::kUsersDb, kRootId}; break;
    case kClassesRoot: {
        // A view of HKEY_LOCAL_MACHINE\Software\Classes.
        Loc machine{store::kMachineDb, kRootId};
        if (int32_t status = ready(machine.db)) return status;
        return walk(machine, {"Software", "Classes"}, out) == 0 ? 0 : status::kInvalidHandle;
    }
    default: {
        auto it = keys.find(key);
        if (it == keys.end()) return status::kInvalidHandle;
        out = it->second;
    }
    }
    return ready(out.db);
}

int32_t Registry::State::child(const Loc& at, const std::string& name, Loc& out) {
    // HKEY_USERS holds the current user's tree under the user's name.
    if (is_users_root(at) && equal_nocase(name, user)) {
        out = {store::kUserDb, kRootId};
        return ready(out.db);
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
void Registry::State::enter_user_tree(Loc& at, std::vector<std::string>& parts) {
    if (!parts.empty() && is_users_root(at) && equal_nocase(parts[0], user)) {
        at = {store::kUserDb, kRootId};
        parts.erase(parts.begin());
    }
}

int32_t Registry::State::present(const Loc& loc) {
    Query q(db(loc), "SELECT 1 FROM keys WHERE id = ?1");
    int rc = q.bind(1, loc.id).step();
    return rc == SQLITE_ROW ? 0 : rc == SQLITE_DONE ? status::kKeyDeleted : sqlite_status(rc);
}

int32_t Registry::State::walk(Loc at, const std::vector<std::string>& parts, Loc& out) {
    for (const std::string& part : parts) {
        int32_t status = child(at, part, at);
        if (status != 0) return status;
    }
    out = at;
    return 0;
}

RegKey Registry::State::add_handle(const Loc& loc) {
    while (keys.count(next_key) || is_predefined_root(next_key) || next_key == 0) ++next_key;
    keys.emplace(next_key, loc);
    return next_key++;
}

int32_t Registry::State::start_path(RegKey parent, const std::string& subkey, Loc& at,
                                    std::vector<std::string>& parts) {
    if (int32_t found = locate(parent, at)) return found;
    parts = store::split_path(subkey);
    int32_t status = check_path(subkey, parts);
    if (status != 0) return status;
    enter_user_tree(at, parts);
    return ready(at.db);
}

int32_t Registry::State::child_or_new(const Loc& at, const std::string& name,
                                      const std::string& class_name, Loc& out) {
    int32_t status = child(at, name, out);
    if (status != status::kFileNotFound) return status;
    Database& d = db(at);
    Query q(d, "INSERT INTO keys(parent, name, class) VALUES(?1, ?2, ?3)");
    status = q.bind(1, at.id).bind(2, name).bind(3, class_name).finish();
    if (status != 0) return status;
    out = {at.db, sqlite3_last_insert_rowid(d.handle())};
    return 0;
}

int32_t Registry::State::put_value(const Loc& at, const std::string& name, uint32_t type,
                                   std::string_view data) {
    Query q(db(at), "INSERT INTO vals(key, name, type, data) VALUES(?1, ?2, ?3, ?4) "
                    "ON CONFLICT(key, name) DO UPDATE SET type = excluded.type, "
                    "data = excluded.data");
    return q.bind(1, at.id).bind(2, name).bind(3, int64_t(type)).bind_blob(4, data).finish();
}

int32_t Registry::State::open(RegKey parent, const std::string& subkey, KeyAccess access,
                              RegKey& out) {
    Loc at;
    std::vector<std::string> parts;
    int32_t status = start_path(parent, subkey, at, parts);
    if (status != 0) return status;
    Transaction t(db(at), false);
    if ((status = present(at)) != 0) return status;
    status = walk(at, parts, at);
    if (status != 0) return status;
    if (access != KeyAccess::read && !db(at).writable()) return status::kAccessDenied;
    out = add_handle(at);
    return 0;
}

int32_t Registry::State::create(RegKey parent, const std::string& subkey,
                                const std::string& class_name, RegKey& out) {
    Loc at;
    std::vector<std::string> parts;
    int32_t status = start_path(parent, subkey, at, parts);
    if (status != 0) return status;
    Database& d = db(at);
    if (!d.writable()) return status::kAccessDenied;
    Transaction t(d, true);
    if (t.status() != 0) return t.status();
    if ((status = present(at)) != 0) return status;
    for (const std::string& part : parts) {
        status = child_or_new(at, part, class_name, at);
        if (status != 0) return status;
    }
    status = t.commit();
    if (status == 0) out = add_handle(at);
    return status;
}

int32_t Registry::State::remove(RegKey parent, const std::string& subkey) {
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
    int rc = has.bind(1, key.id).step();
    // A key with subkeys is refused rather than deleted whole, as the other build does.
    if (rc == SQLITE_ROW) return status::kAccessDenied;
    if (rc != SQLITE_DONE) return sqlite_status(rc);
    Query q(d, "DELETE FROM keys WHERE id = ?1");
    status = q.bind(1, key.id).finish();
    return status == 0 ? t.commit() : status;
}

int32_t Registry::State::enum_key(RegKey key, uint32_t index, std::string& name,
                                  std::string* class_name) {
    Loc at;
    if (int32_t found = locate(key, at)) return found;
    if (is_users_root(at)) {
        // The user's own tree is listed among the stored keys in name order.
        Query q(db(at), "SELECT count(*) FROM keys WHERE parent = ?1 AND name < ?2");
        int rc = q.bind(1, at.id).bind(2, user).step();
        if (rc != SQLITE_ROW) return sqlite_status(rc);
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
    if (rc == SQLITE_DONE) return empty_result(*this, at, status::kNoMoreItems);
    if (rc != SQLITE_ROW) return sqlite_status(rc);
    name = q.text(0);
    if (class_name) *class_name = q.text(1);
    return 0;
}

int32_t Registry::State::enum_value(RegKey key, uint32_t index, std::string& name, uint32_t* type,
                                    std::string* data) {
    Loc at;
    if (int32_t found = locate(key, at)) return found;
    Query q(db(at), "SELECT name, type, data FROM vals WHERE key = ?1 ORDER BY rowid "
                    "LIMIT 1 OFFSET ?2");
    int rc = q.bind(1, at.id).bind(2, int64_t(index)).step();
    if (rc == SQLITE_DONE) return empty_result(*this, at, status::kNoMoreItems);
    if (rc != SQLITE_ROW) return sqlite_status(rc);
    name = q.text(0);
    if (type) *type = uint32_t(q.integer(1));
    if (data) *data = q.text(2);
    return 0;
}

int32_t Registry::State::query(RegKey key, const std::string& name, uint32_t& type,
                               std::string& data) {
    Loc at;
    if (int32_t found = locate(key, at)) return found;
    Query q(db(at), "SELECT type, data FROM vals WHERE key = ?1 AND name = ?2");
    int rc = q.bind(1, at.id).bind(2, name).step();
    if (rc == SQLITE_DONE) return empty_result(*this, at, status::kFileNotFound);
    if (rc != SQLITE_ROW) return sqlite_status(rc);
    type = uint32_t(q.integer(0));
    data = q.text(1);
    return 0;
}

int32_t Registry::State::set(RegKey key, const std::string& name, uint32_t type,
                             std::string_view data) {
    Loc at;
    if (int32_t found = locate(key, at)) return found;
    if (name.size() > store::kMaxValueName) return status::kInvalidParameter;
    if (!db(at).writable()) return status::kAccessDenied;
    return put_value(at, name, type, data); // one statement: one transaction
}

int32_t Registry::State::unset(RegKey key, const std::string& name) {
    Loc at;
    if (int32_t found = locate(key, at)) return found;
    if (!db(at).writable()) return status::kAccessDenied;
    Query q(db(at), "DELETE FROM vals WHERE key = ?1 AND name = ?2");
    int32_t status = q.bind(1, at.id).bind(2, name).finish();
    if (status != 0) return status;
    return sqlite3_changes(db(at).handle()) ? 0 : status::kFileNotFound;
}

} // namespace vtx::platform
