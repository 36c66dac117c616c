// The registry, one operation at a time. Every call returns a Win32-numbered status
// (platform/status.h); the decisions (paths, text forms, tree walks, hive copy) live above.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace vtx::platform {

// An open key. The four predefined roots are valid keys that never need closing.
using RegKey = uintptr_t;
inline constexpr RegKey kClassesRoot = 0x80000000u;
inline constexpr RegKey kCurrentUser = 0x80000001u;
inline constexpr RegKey kLocalMachine = 0x80000002u;
inline constexpr RegKey kUsers = 0x80000003u;
inline bool is_predefined_root(RegKey k) {
    return k >= kClassesRoot && k <= kUsers;
}

enum class KeyAccess { read, write, all };

// A privilege switched on for one operation, with what is needed to switch it back.
struct PrivilegeGrant {
    uintptr_t token = 0;
    uint32_t luid_low = 0;
    int32_t luid_high = 0;
    bool changed = false; // the privilege was off before and was switched on
};

// The registry of this machine. One per run; it keeps open whatever the platform needs
// across operations (the POSIX store's databases), so it is owned by the Runtime.
class Registry {
  public:
    Registry();
    ~Registry();
    Registry(const Registry&) = delete;
    Registry& operator=(const Registry&) = delete;

    // Connects to the root of another computer's registry (`computer` as "\\NAME"):
    // 0 and a key to close with close_key, else the platform's refusal (53 unreachable,
    // 5 denied, ...). POSIX has no remote registry: 50.
    int32_t connect(const std::string& computer, RegKey root, RegKey& out);

    // Opens `subkey` below `parent` (empty: `parent` itself): 0 and a key, 2 when it does
    // not exist, 5 when access is refused, 1018 when `parent` was deleted meanwhile.
    int32_t open_key(RegKey parent, const std::string& subkey, KeyAccess access, RegKey& out);
    // Opens `subkey`, creating it and any missing keys above it (a new key gets
    // `class_name`): 0 and a key; an existing key is opened unchanged. 5 when denied.
    int32_t create_key(RegKey parent, const std::string& subkey, const std::string& class_name,
                       KeyAccess access, RegKey& out);
    // Closes a key from open_key, create_key or connect; predefined roots are left alone.
    void close_key(RegKey key);
    // Deletes `subkey` with its values: 0; 2 when missing; 5 when it still has subkeys or
    // access is refused.
    int32_t delete_key(RegKey parent, const std::string& subkey);

    // The subkey at `index` in enumeration order (POSIX: by name, case-blind): 0 and its
    // name (and class when asked), 259 past the last one.
    int32_t enum_key(RegKey key, uint32_t index, std::string& name,
                     std::string* class_name = nullptr);
    // The value at `index` in enumeration order (POSIX: creation order): 0 and its name
    // (type and data when asked), 259 past the last one.
    int32_t enum_value(RegKey key, uint32_t index, std::string& name, uint32_t* type = nullptr,
                       std::string* data = nullptr);
    // A value's type and data bytes: 0, or 2 when there is no value of that name.
    int32_t query_value(RegKey key, const std::string& name, uint32_t& type, std::string& data);
    // Stores a value (replacing one of the same name): 0, 5 when denied.
    int32_t set_value(RegKey key, const std::string& name, uint32_t type, std::string_view data);
    // 0, or 2 when there is no value of that name.
    int32_t delete_value(RegKey key, const std::string& name);

    // Writes the key with everything below it into a new hive file: 0; 183 when the file
    // exists already; a file status (3, 5, ...) when it cannot be written.
    int32_t save_key(RegKey key, const std::string& file);
    // Replaces the key's subkeys and values by the hive file's: 0; 2 when the file is
    // missing; 13 when it is not a valid hive.
    int32_t restore_key(RegKey key, const std::string& file);
    // Mounts a hive file as the new key `name` below `root` (HKEY_USERS or
    // HKEY_LOCAL_MACHINE): 0, a file status, 13 for an invalid hive, 5 when denied.
    int32_t load_hive(RegKey root, const std::string& name, const std::string& file);
    // Removes a key mounted by load_hive: 0, or 2 when there is none.
    int32_t unload_hive(RegKey root, const std::string& name);

    // Switches a privilege ("SeBackupPrivilege", ...) on for this process: 0, or the
    // failure (POSIX has no privileges: 50). `grant` records what withdraw must undo.
    int32_t enable_privilege(const char* name, PrivilegeGrant& grant);
    // Puts the privilege back as it was before enable_privilege and releases the token.
    void withdraw_privilege(PrivilegeGrant& grant);

    // Tells running programs that the environment keys changed (POSIX: nothing to tell).
    void broadcast_environment_change();

    struct State;

  private:
    std::unique_ptr<State> state_;
};

} // namespace vtx::platform
