#include "platform/status.h"
#include "registry/key_path.h"
#include "registry/operations.h"

namespace vtx {

using platform::KeyAccess;
using platform::RegKey;

namespace {

// A name that opens the key itself (empty) or a key further down (with a backslash) would
// make a walk revisit keys without end; a damaged store can hold one.
int32_t walkable(const std::string& name) {
    return name.empty() || name.find('\\') != std::string::npos ? status::kBadFormat : 0;
}

} // namespace

int32_t clear_subkeys(platform::Registry& reg, RegKey key) {
    std::string name;
    for (;;) {
        // Always position 0: each deleted subkey's place is taken by the next one.
        int32_t status = reg.enum_key(key, 0, name);
        if (status == 0) status = walkable(name);
        if (status != 0) return status;
        RegKey sub;
        status = reg.open_key(key, name, KeyAccess::read, sub);
        if (status != 0) return status;
        status = clear_subkeys(reg, sub);
        if (status == status::kNoMoreItems) status = reg.delete_key(key, name);
        reg.close_key(sub);
        // A subkey that could not be removed would come back at position 0: stop.
        if (status != 0) return status;
    }
}

int32_t delete_tree(platform::Registry& reg, std::string_view path) {
    ResolvedKey rk;
    int32_t status = resolve_key_path(reg, path, rk);
    if (status != 0) return status;
    RegKey key;
    status = reg.open_key(rk.root, rk.subkey, KeyAccess::read, key);
    if (status == 0) {
        status = clear_subkeys(reg, key);
        if (status == status::kNoMoreItems) status = reg.delete_key(rk.root, rk.subkey);
        reg.close_key(key);
    }
    release_root(reg, rk.root);
    return status;
}

int32_t copy_branch(platform::Registry& reg, RegKey target, RegKey source) {
    std::string name, class_name, data;
    int32_t status = 0;
    for (uint32_t i = 0; status == 0; ++i) {
        status = reg.enum_key(source, i, name, &class_name);
        if (status == 0) status = walkable(name);
        if (status != 0) break;
        RegKey new_target, new_source;
        status = reg.create_key(target, name, class_name, KeyAccess::all, new_target);
        if (status != 0) break;
        status = reg.open_key(source, name, KeyAccess::all, new_source);
        if (status == 0) {
            status = copy_branch(reg, new_target, new_source);
            reg.close_key(new_source);
        }
        reg.close_key(new_target);
    }
    if (status != status::kNoMoreItems) return status;
    status = 0;
    for (uint32_t i = 0; status == 0; ++i) {
        uint32_t type = 0;
        status = reg.enum_value(source, i, name, &type, &data);
        if (status == 0) status = reg.set_value(target, name, type, data);
    }
    return status == status::kNoMoreItems ? 0 : status;
}

} // namespace vtx
