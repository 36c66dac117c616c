// The POSIX registry store: one SQLite database per root, keys and values in tables. Each
// operation on a key or value is one transaction, so concurrent runs and killed processes
// never leave a half-made key.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/posix/registry/hive_file.h"
#include "platform/posix/registry/sqlite_db.h"
#include "platform/registry.h"

namespace vtx::platform {

namespace store {

inline constexpr std::size_t kMaxKeyName = 255;
inline constexpr std::size_t kMaxValueName = 16383;
inline constexpr int kMaxDepth = 512;
inline constexpr int64_t kRootId = 1;

enum Root { kUserDb, kMachineDb, kUsersDb, kRootCount };

// A place in the store: a database and a key in it.
struct Loc {
    int db = kUserDb;
    int64_t id = kRootId;
    bool operator==(const Loc&) const = default;
};

// The names of a key path, empty parts dropped.
std::vector<std::string> split_path(const std::string& path);

// The folder of the current user's store: $XDG_DATA_HOME/vtx32/registry, else under the
// home folder ($HOME, else `account_home` from the password database).
std::string user_folder(const char* xdg_data_home, const char* home,
                        const std::string& account_home);

// Opens (creating when missing) the database of `root` at `path`: 0 when it is open for
// reading and writing or, where the file is others', for reading; a store that cannot be had
// at all is an empty read-only one in memory, so reads find nothing and writes get 5. 170
// when another process holds the store's lock too long, 1015 when the file is damaged or no
// file; the database is then left closed.
int32_t open_store(Database& db, const std::string& path, mode_t mode, int root);

} // namespace store

struct Registry::State {
    using Loc = store::Loc;

    bool found = false; // the store's files and the user are known
    std::string paths[store::kRootCount];
    Database dbs[store::kRootCount];
    std::string user;
    std::unordered_map<RegKey, Loc> keys;
    RegKey next_key = 1;

    Database& db(const Loc& loc) {
        ready(loc.db);
        return dbs[loc.db];
    }
    // Opens the root's database on first use, so that a run that never touches the registry
    // creates nothing, and again after a call that found it busy or damaged: 0, or the
    // status of open_store.
    int32_t ready(int root);
    void find_store();

    // --- Keys and values (key_store.cpp) ---
    // Where a key handle points, with its database open: 0, 6 for a handle that is not
    // open, or why the database cannot be used (ready).
    int32_t locate(RegKey key, Loc& out);
    bool is_users_root(const Loc& loc) const { return loc == Loc{store::kUsersDb, store::kRootId}; }
    // One step down: 0 and the child, 2 when there is none.
    int32_t child(const Loc& at, const std::string& name, Loc& out);
    void enter_user_tree(Loc& at, std::vector<std::string>& parts);
    // 0 when the key is there, 1018 when it went, or the store's failure.
    int32_t present(const Loc& loc);
    int32_t walk(Loc at, const std::vector<std::string>& parts, Loc& out);
    RegKey add_handle(const Loc& loc);
    int32_t start_path(RegKey parent, const std::string& subkey, Loc& at,
                       std::vector<std::string>& parts);
    // The child of that name, created (with `class_name`) when missing.
    int32_t child_or_new(const Loc& at, const std::string& name, const std::string& class_name,
                         Loc& out);
    // Stores a value; the foreign key refuses a key that was deleted meanwhile.
    int32_t put_value(const Loc& at, const std::string& name, uint32_t type, std::string_view data);

    int32_t open(RegKey parent, const std::string& subkey, KeyAccess access, RegKey& out);
    int32_t create(RegKey parent, const std::string& subkey, const std::string& class_name,
                   RegKey& out);
    int32_t remove(RegKey parent, const std::string& subkey);
    int32_t enum_key(RegKey key, uint32_t index, std::string& name, std::string* class_name);
    int32_t enum_value(RegKey key, uint32_t index, std::string& name, uint32_t* type,
                       std::string* data);
    int32_t query(RegKey key, const std::string& name, uint32_t& type, std::string& data);
    int32_t set(RegKey key, const std::string& name, uint32_t type, std::string_view data);
    int32_t unset(RegKey key, const std::string& name);

    // --- Hive files (hive_io.cpp) ---
    // The branch below a key as a hive tree, read inside the caller's transaction.
    int32_t read_tree(const Loc& at, HiveKey& out, int depth);
    // Adds a hive tree's values and subkeys below a key, inside the caller's transaction.
    int32_t write_tree(const Loc& at, const HiveKey& tree);
    // Removes everything below a key (its values too), inside the caller's transaction.
    int32_t empty_key(const Loc& at);
    int32_t save(RegKey key, const std::string& file);
    int32_t restore(RegKey key, const std::string& file);
    int32_t load(RegKey root, const std::string& name, const std::string& file);
    int32_t unload(RegKey root, const std::string& name);
};

} // namespace vtx::platform
