#include "platform/status.h"
#include "registry/key_path.h"
#include "registry/operations.h"

namespace vtx {

using platform::KeyAccess;
using platform::RegKey;

int32_t create_key(platform::Registry& reg, std::string_view path) {
    ResolvedKey rk;
    int32_t status = resolve_key_path(reg, path, rk);
    if (status != 0) return status;
    RegKey key;
    status = reg.create_key(rk.root, rk.subkey, "", KeyAccess::write, key);
    if (status == 0) reg.close_key(key);
    release_root(reg, rk.root);
    return status;
}

int32_t delete_key(platform::Registry& reg, std::string_view path) {
    ResolvedKey rk;
    int32_t status = resolve_key_path(reg, path, rk);
    if (status != 0) return status;
    status = reg.delete_key(rk.root, rk.subkey);
    release_root(reg, rk.root);
    return status;
}

int32_t test_key(platform::Registry& reg, std::string_view path) {
    return with_open_key(reg, path, KeyAccess::read, [](RegKey) { return 0; });
}

namespace {

// A negative index is a huge unsigned one to the platform: past the end, 259.
template <typename Enumerate>
int32_t name_at(platform::Registry& reg, std::string_view path, int32_t index, std::string& name,
                Enumerate enumerate) {
    name.clear();
    int32_t status = with_open_key(reg, path, KeyAccess::read,
                                   [&](RegKey key) { return enumerate(key, uint32_t(index)); });
    if (status != 0) name.clear();
    return status;
}

} // namespace

int32_t subkey_name_at(platform::Registry& reg, std::string_view path, int32_t index,
                       std::string& name) {
    return name_at(reg, path, index, name,
                   [&](RegKey key, uint32_t i) { return reg.enum_key(key, i, name); });
}

int32_t value_name_at(platform::Registry& reg, std::string_view path, int32_t index,
                      std::string& name) {
    // The function's name buffer holds 260 bytes with the closing zero: a longer name is
    // more data than it takes, as on Windows.
    constexpr std::size_t kValueNameBuffer = 260;
    return name_at(reg, path, index, name, [&](RegKey key, uint32_t i) {
        int32_t status = reg.enum_value(key, i, name);
        return status == 0 && name.size() >= kValueNameBuffer ? status::kMoreData : status;
    });
}

} // namespace vtx
