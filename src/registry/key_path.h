// Key paths: "[\\COMPUTER\][ROOT][\]subkey" turned into a root key and a subkey path.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/registry.h"

namespace vtx {

struct KeyPath {
    std::string computer; // "\\NAME", empty for this machine
    platform::RegKey root = platform::kCurrentUser;
    std::string subkey;
};

// Splits a key path without touching the registry: 0, or 1010 for "\\NAME" with no
// backslash after the name.
int32_t parse_key_path(std::string_view path, KeyPath& out);

// A resolved key: the root to work from (a remote connection for a computer part) and the
// subkey path below it.
struct ResolvedKey {
    platform::RegKey root = platform::kCurrentUser;
    std::string subkey;
};

// Parses and, for a computer part, connects: 0, 1010, or the connection's status. On a
// non-zero status there is nothing to release.
int32_t resolve_key_path(platform::Registry& reg, std::string_view path, ResolvedKey& out);
// Closes a remote root; predefined roots are left alone.
void release_root(platform::Registry& reg, platform::RegKey root);

// Resolves `path`, opens the key with `access`, returns `work(key)` and closes everything.
template <typename Work>
int32_t with_open_key(platform::Registry& reg, std::string_view path, platform::KeyAccess access,
                      Work work) {
    ResolvedKey rk;
    int32_t status = resolve_key_path(reg, path, rk);
    if (status != 0) return status;
    platform::RegKey key;
    status = reg.open_key(rk.root, rk.subkey, access, key);
    if (status == 0) {
        status = work(key);
        reg.close_key(key);
    }
    release_root(reg, rk.root);
    return status;
}

} // namespace vtx
