#include "platform/files.h"
#include "platform/status.h"
#include "registry/key_path.h"
#include "registry/operations.h"

namespace vtx {

using platform::KeyAccess;
using platform::RegKey;

namespace {

constexpr const char* kTempHive = "TEMP_HIVE";

// Runs `work` with a privilege switched on, and switches it back whatever happens: only
// that one privilege, to its previous state, so later work keeps the process's others.
template <typename Work>
int32_t with_privilege(platform::Registry& reg, const char* name, Work work) {
    platform::PrivilegeGrant grant;
    // Not checked: where the privilege cannot be had, the call that needs it fails.
    reg.enable_privilege(name, grant);
    int32_t status = work();
    reg.withdraw_privilege(grant);
    return status;
}

// An existing file is replaced only once the new hive is complete beside it, so a failed
// save (a full disk) leaves the old one; only a regular file is ever replaced.
int32_t save_replacing(platform::Registry& reg, RegKey key, const std::string& file) {
    using platform::FileKind;
    FileKind kind = platform::file_kind(platform::native_path(file));
    if (kind == FileKind::folder || kind == FileKind::other) return status::kAccessDenied;
    int32_t status = reg.save_key(key, file);
    if (status != status::kAlreadyExists) return status;
    std::string temp = file + ".vtx32-new";
    if (platform::file_kind(platform::native_path(temp)) == FileKind::regular)
        platform::delete_file(temp); // left by a run that was killed
    status = reg.save_key(key, temp);
    if (status == 0)
        status = platform::replace_file(platform::native_path(temp), platform::native_path(file));
    if (status != 0) platform::delete_file(temp);
    return status;
}

int32_t load_by_copy(platform::Registry& reg, std::string_view path, const std::string& file) {
    ResolvedKey rk;
    int32_t status = resolve_key_path(reg, path, rk);
    if (status != 0) return status;
    RegKey target;
    bool existed = reg.open_key(rk.root, rk.subkey, KeyAccess::all, target) == 0;
    if (!existed) {
        status = reg.create_key(rk.root, rk.subkey, "", KeyAccess::write, target);
        if (status != 0) {
            release_root(reg, rk.root);
            return status;
        }
    }
    status = reg.load_hive(platform::kUsers, kTempHive, file);
    if (status != 0) {
        reg.close_key(target);
        release_root(reg, rk.root);
        return status;
    }
    // The key's own values stay; the copy overwrites those of the same name. A failed
    // clearing does not stop the load.
    if (existed) clear_subkeys(reg, target);
    RegKey source;
    int32_t copy_status = reg.open_key(platform::kUsers, kTempHive, KeyAccess::all, source);
    if (copy_status == 0) {
        copy_status = copy_branch(reg, target, source);
        reg.close_key(source);
    }
    reg.close_key(target);
    release_root(reg, rk.root);
    status = reg.unload_hive(platform::kUsers, kTempHive);
    return copy_status != 0 ? copy_status : status;
}

} // namespace

int32_t hive_save(platform::Registry& reg, std::string_view path, const std::string& file) {
    return with_privilege(reg, "SeBackupPrivilege", [&] {
        return with_open_key(reg, path, KeyAccess::read,
                             [&](RegKey key) { return save_replacing(reg, key, file); });
    });
}

int32_t hive_load(platform::Registry& reg, bool nt, std::string_view path,
                  const std::string& file) {
    // The copy mounts the file as a hive, which an NT-line kernel allows only with the
    // restore privilege, even for a program that it tells it runs on the 9x line.
    return with_privilege(reg, "SeRestorePrivilege", [&] {
        if (!nt) return load_by_copy(reg, path, file);
        return with_open_key(reg, path, KeyAccess::read,
                             [&](RegKey key) { return reg.restore_key(key, file); });
    });
}

} // namespace vtx
