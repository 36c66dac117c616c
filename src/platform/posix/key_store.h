// The POSIX registry store: one SQLite database per root, keys and values in tables. Each
// operation on a key or value is one transaction, so concurrent runs and killed processes
// never leave a half-made key.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/posix/hive_file.h"
#include "platform/posix/sqlite_db.h"
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

// Opens (creating when missing) the database of `root` in `folder`; a store that cannot be
// had is an empty read-only one in memory, so reads find nothing and writes get 5.
void open_store(Database& db, const std::string& folder, const std::string& file, mode_t mode,
                int root);

} // namespace store

struct Registry::State {
    using Loc = store::Loc;

    bool opened = false;
    Database dbs[store::kRootCount];
    std::string user;
    std::unordered_map<RegKey, Loc> keys;
    RegKey next_key = 1;

    Database& db(const Loc& loc) {
        open_all();
        return dbs[loc.db];
    }
    // Opened on first use, so that a run that never touches the registry creates nothing.
    void open_all();

    // --- Keys and values (key_store.cpp) ---
    // Where a key handle points; false for a handle that is not open.
    bool locate(RegKey key, Loc& out);
    bool is_users_root(const Loc& loc) const { return loc == Loc{store::kUsersDb, store::kRootId}; }
    // One step down: 0 and the child, 2 when there is none.
    int32_t child(const Loc& at, const std::string& name, Loc& out);
    void enter_user_tree(Loc& at, std::vector<std::string>& parts);
    // 0 when the key is there, 1018 when it went, or the store's failure.
    int32_t present(const Loc& loc);
    bool exists(const Loc& loc) { return present(loc) == 0; }
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
