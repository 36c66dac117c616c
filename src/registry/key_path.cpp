#include "registry/key_path.h"

#include "engine/text.h"

namespace vtx {

namespace {

struct RootName {
    std::string_view name;
    platform::RegKey key;
};

// Tested in this order, and only by prefix: "HKEY_USERSX" is HKEY_USERS with "X" after it.
constexpr RootName kRoots[] = {
    {"HKEY_CURRENT_USER", platform::kCurrentUser},
    {"HKEY_LOCAL_MACHINE", platform::kLocalMachine},
    {"HKEY_USERS", platform::kUsers},
    {"HKEY_CLASSES_ROOT", platform::kClassesRoot},
};

} // namespace

int32_t parse_key_path(std::string_view path, KeyPath& out) {
    out = KeyPath{};
    if (path.size() >= 2 && path[0] == '\\' && path[1] == '\\') {
        std::size_t end = path.find('\\', 2);
        if (end == std::string_view::npos) return 1010;
        // No fixed field: a long (DNS) computer name is passed on whole.
        out.computer.assign(path.substr(0, end));
        path.remove_prefix(end + 1);
    }
    for (const RootName& r : kRoots) {
        if (starts_nocase(path, r.name)) {
            out.root = r.key;
            path.remove_prefix(r.name.size());
            break;
        }
    }
    if (!path.empty() && path[0] == '\\') path.remove_prefix(1);
    out.subkey.assign(path);
    return 0;
}

int32_t resolve_key_path(platform::Registry& reg, std::string_view path, ResolvedKey& out) {
    KeyPath parts;
    int32_t status = parse_key_path(path, parts);
    if (status != 0) return status;
    out.subkey = std::move(parts.subkey);
    out.root = parts.root;
    if (parts.computer.empty()) return 0;
    return reg.connect(parts.computer, parts.root, out.root);
}

void release_root(platform::Registry& reg, platform::RegKey root) {
    if (!platform::is_predefined_root(root)) reg.close_key(root);
}

} // namespace vtx
