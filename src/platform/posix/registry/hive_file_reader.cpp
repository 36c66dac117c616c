// Reads a hive file through libhivex into memory, guarding against hostile files: every
// failure is status 13, and loops, depth and size are bounded before they can hurt. libhivex
// is opened at the first hive read, so that start-up does not load it for every script.
#include <cerrno>
#include <hivex.h>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <unordered_set>

#include "platform/files.h"
#include "platform/posix/errno_status.h"
#include "platform/posix/registry/hive_file.h"
#include "platform/posix/shared_library.h"
#include "platform/status.h"
#include "platform/text_rules.h"

namespace vtx::platform {

namespace {

constexpr int kMaxDepth = 512;             // the deepest branch the system allows
constexpr std::size_t kMaxKeys = 1u << 20; // keys in one file
constexpr std::size_t kMaxFile = 1u << 30; // bytes of one file
constexpr std::size_t kBins = 4096;        // offset of the first bin
constexpr std::size_t kMaxKeyName = 255;

// A key name the store can hold and a walk can take: the root's name is never used.
bool sound_key_name(const std::string& name, int depth) {
    return depth == 0 ||
           (!name.empty() && name.size() <= kMaxKeyName && name.find('\\') == std::string::npos);
}

// Names compare as the store compares them, case-blind over A to Z: a second sibling of the
// same name would be merged into the first without a word.
bool first_of_name(std::unordered_set<std::string>& names, const std::string& name) {
    return names.insert(upper_copy(name)).second;
}

bool is_string_type(uint32_t type) {
    return type == 1 || type == 2 || type == 7;
}

// hivex hands out UTF-8; the store keeps Latin-1 bytes (what the A calls see).
std::string utf8_to_latin1(const char* s) {
    std::string out;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(s); *p;) {
        uint32_t c = *p++;
        int more = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
        if (more) c &= 0x3F >> more;
        for (; more && (*p & 0xC0) == 0x80; --more) c = c << 6 | (*p++ & 0x3F);
        out += c <= 0xFF ? char(c) : '?';
    }
    return out;
}

std::string narrow_utf16(std::string_view s) {
    std::string out;
    out.reserve(s.size() / 2);
    for (std::size_t i = 0; i + 1 < s.size(); i += 2) {
        uint32_t c = uint8_t(s[i]) | uint32_t(uint8_t(s[i + 1])) << 8;
        out += c <= 0xFF ? char(c) : '?';
    }
    return out;
}

uint32_t le32(const std::string& b, std::size_t at) {
    return uint32_t(uint8_t(b[at])) | uint32_t(uint8_t(b[at + 1])) << 8 |
           uint32_t(uint8_t(b[at + 2])) << 16 | uint32_t(uint8_t(b[at + 3])) << 24;
}

// The few entry points used; null when libhivex is missing.
struct Hivex {
    decltype(&hivex_open) open;
    decltype(&hivex_close) close;
    decltype(&hivex_root) root;
    decltype(&hivex_node_name) node_name;
    decltype(&hivex_node_values) node_values;
    decltype(&hivex_node_children) node_children;
    decltype(&hivex_value_key) value_key;
    decltype(&hivex_value_value) value_value;
};

const Hivex* hivex_library() {
    static const Hivex* loaded = [] {
        static const SharedLibrary lib("libhivex.so.0");
        static Hivex x{};
        bool ok = lib.bind(x.open, "hivex_open") && lib.bind(x.close, "hivex_close") &&
                  lib.bind(x.root, "hivex_root") && lib.bind(x.node_name, "hivex_node_name") &&
                  lib.bind(x.node_values, "hivex_node_values") &&
                  lib.bind(x.node_children, "hivex_node_children") &&
                  lib.bind(x.value_key, "hivex_value_key") &&
                  lib.bind(x.value_value, "hivex_value_value");
        return ok ? &x : nullptr;
    }();
    return loaded;
}

struct Reader {
    const Hivex& x;
    hive_h* h;
    const std::string& file; // the same bytes, for the key classes hivex does not expose
    std::unordered_set<hive_node_h> seen;

    // The class of a key: its nk record names a cell holding UTF-16LE text.
    std::string class_of(hive_node_h node) {
        std::size_t nk = node + 4; // past the cell's size field
        if (nk + 0x4C > file.size()) return {};
        uint32_t off = le32(file, nk + 0x30);
        std::size_t len = uint8_t(file[nk + 0x4A]) | std::size_t(uint8_t(file[nk + 0x4B])) << 8;
        if (off == 0xFFFFFFFFu || len == 0) return {};
        std::size_t at = kBins + std::size_t(off) + 4;
        if (at < kBins || at + len > file.size()) return {};
        return narrow_utf16(std::string_view(file).substr(at, len));
    }

    // The type word of a value's vk record, as stored: any 32-bit number, where hivex's
    // enumeration would only name 0 to 15.
    bool raw_type(hive_value_h value, uint32_t& type) {
        std::size_t vk = value + 4;
        if (vk + 0x10 > file.size()) return false;
        type = le32(file, vk + 0x0C);
        return true;
    }

    bool key(hive_node_h node, HiveKey& out, int depth) {
        if (depth > kMaxDepth || seen.size() >= kMaxKeys || !seen.insert(node).second) return false;
        std::unique_ptr<char, decltype(&free)> name(x.node_name(h, node), free);
        if (!name) return false;
        out.name = utf8_to_latin1(name.get());
        if (!sound_key_name(out.name, depth)) return false;
        out.class_name = class_of(node);

        std::unique_ptr<hive_value_h, decltype(&free)> values(x.node_values(h, node), free);
        if (!values) return false;
        std::unordered_set<std::string> names;
        for (hive_value_h* v = values.get(); *v; ++v) {
            HiveValue value;
            std::unique_ptr<char, decltype(&free)> vname(x.value_key(h, *v), free);
            size_t len = 0;
            std::unique_ptr<char, decltype(&free)> data(x.value_value(h, *v, nullptr, &len), free);
            if (!vname || !data || !raw_type(*v, value.type)) return false;
            value.name = utf8_to_latin1(vname.get());
            if (!first_of_name(names, value.name)) return false;
            value.data.assign(data.get(), len);
            if (is_string_type(value.type) && len % 2 == 0) value.data = narrow_utf16(value.data);
            out.values.push_back(std::move(value));
        }

        std::unique_ptr<hive_node_h, decltype(&free)> children(x.node_children(h, node), free);
        if (!children) return false;
        names.clear();
        for (hive_node_h* c = children.get(); *c; ++c) {
            out.subkeys.emplace_back();
            if (!key(*c, out.subkeys.back(), depth + 1) ||
                !first_of_name(names, out.subkeys.back().name))
                return false;
        }
        return true;
    }
};

} // namespace

int32_t read_hive(const std::string& path, HiveKey& root) {
    root = HiveKey{};
    struct stat st;
    if (::stat(path.c_str(), &st) != 0) return status_from_errno(errno);
    // hivex opens the file itself and would wait on a FIFO or read a device without end.
    if (!S_ISREG(st.st_mode)) return status::kAccessDenied;
    if (std::size_t(st.st_size) > kMaxFile) return status::kInvalidData;
    std::string bytes;
    int32_t status = read_file(path, bytes, kMaxFile);
    if (status != 0) return status;
    // hivex reads the file itself; both views are of the same bytes unless the file
    // changes in between, and every offset taken from ours is bounds-checked.
    const Hivex* x = hivex_library();
    if (!x) return status::kNotSupported;
    std::unique_ptr<hive_h, decltype(x->close)> h(x->open(path.c_str(), 0), x->close);
    if (!h) return errno == EACCES ? status::kAccessDenied : status::kInvalidData;
    Reader reader{*x, h.get(), bytes, {}};
    if (!reader.key(x->root(h.get()), root, 0)) {
        root = HiveKey{};
        return status::kInvalidData;
    }
    return 0;
}

} // namespace vtx::platform
