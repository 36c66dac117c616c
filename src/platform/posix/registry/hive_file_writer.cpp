// Writes a fresh hive: a base block, then bins of cells placed one after the other. A new
// hive has no free space to manage, so every cell is allocated once and never moved.
#include <algorithm>
#include <cstring>
#include <ctime>

#include "platform/posix/registry/hive_file.h"

namespace vtx::platform {

namespace {

constexpr uint32_t kNone = 0xFFFFFFFFu;
constexpr std::size_t kBaseBlock = 4096;
constexpr std::size_t kBinHeader = 32;
constexpr std::size_t kMaxCellData = 16344; // larger data goes into a big-data record
constexpr std::size_t kMaxLeaf = 1012;      // subkeys per list leaf, as the system splits them

// nk flags: the root is the hive's entry and cannot be deleted; names are stored as bytes.
constexpr uint16_t kKeyHiveEntry = 0x0004;
constexpr uint16_t kKeyNoDelete = 0x0008;
constexpr uint16_t kKeyCompressedName = 0x0020;
constexpr uint16_t kValueCompressedName = 0x0001;

bool is_string_type(uint32_t type) {
    return type == 1 || type == 2 || type == 7;
}

// Names and strings are Latin-1 bytes here; hives keep strings in UTF-16LE.
std::string widen(const std::string& s) {
    std::string out;
    out.reserve(s.size() * 2);
    for (char c : s) {
        out += c;
        out += '\0';
    }
    return out;
}

uint16_t upcase(unsigned char c) {
    if ((c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) return uint16_t(c - 32);
    if (c == 0xFF) return 0x178;
    if (c == 0xB5) return 0x39C;
    return c;
}

// Subkey lists are kept sorted by the upper-cased name, since readers search them.
bool upcase_less(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return upcase(uint8_t(x)) < upcase(uint8_t(y));
    });
}

uint32_t name_hash(const std::string& name) {
    uint32_t h = 0;
    for (char c : name) h = h * 37 + upcase(uint8_t(c));
    return h;
}

uint64_t filetime_now() {
    return (uint64_t(std::time(nullptr)) + 11644473600ull) * 10000000ull;
}

// The one security descriptor every key shares: Administrators and SYSTEM own it, and
// Administrators, SYSTEM and Everyone have full control (so a restored branch stays
// writable by the user who restores it).
std::string security_descriptor() {
    auto sid = [](uint8_t authority, std::initializer_list<uint32_t> subs) {
        std::string s;
        s += char(1);
        s += char(subs.size());
        s.append(5, '\0');
        s += char(authority);
        for (uint32_t v : subs)
            for (int i = 0; i < 4; ++i) s += char(v >> (8 * i));
        return s;
    };
    std::string admins = sid(5, {32, 544}), system = sid(5, {18}), everyone = sid(1, {0});
    auto le16 = [](std::string& s, uint16_t v) {
        s += char(v);
        s += char(v >> 8);
    };
    auto le32 = [](std::string& s, uint32_t v) {
        for (int i = 0; i < 4; ++i) s += char(v >> (8 * i));
    };
    std::string aces;
    for (const std::string* who : {&admins, &system, &everyone}) {
        aces += char(0);    // ACCESS_ALLOWED_ACE_TYPE
        aces += char(0x02); // CONTAINER_INHERIT_ACE
        le16(aces, uint16_t(8 + who->size()));
        le32(aces, 0x000F003F); // KEY_ALL_ACCESS
        aces += *who;
    }
    std::string acl;
    acl += char(2); // ACL_REVISION
    acl += char(0);
    le16(acl, uint16_t(8 + aces.size()));
    le16(acl, 3);
    le16(acl, 0);
    acl += aces;

    std::string sd;
    sd += char(1); // revision
    sd += char(0);
    le16(sd, 0x8004); // self-relative, DACL present
    uint32_t owner = 20, group = owner + uint32_t(admins.size()),
             dacl = group + uint32_t(system.size());
    le32(sd, owner);
    le32(sd, group);
    le32(sd, 0); // no SACL
    le32(sd, dacl);
    return sd + admins + system + acl;
}

class Writer {
  public:
    // Allocates a cell with room for `payload` bytes; returns its offset in the bins.
    uint32_t alloc(std::size_t payload) {
        std::size_t size = (payload + 4 + 7) & ~std::size_t(7);
        if (bins_.size() + size > bin_end_) new_bin(size);
        uint32_t off = uint32_t(bins_.size());
        bins_.append(size, '\0');
        put(off, uint32_t(-int32_t(size)), 4);
        return off;
    }
    // Field access inside a cell's payload.
    void put16(uint32_t cell, std::size_t at, uint16_t v) { put(cell + 4 + at, v, 2); }
    void put32(uint32_t cell, std::size_t at, uint32_t v) { put(cell + 4 + at, v, 4); }
    void put64(uint32_t cell, std::size_t at, uint64_t v) { put(cell + 4 + at, v, 8); }
    void put_bytes(uint32_t cell, std::size_t at, const std::string& s) {
        std::memcpy(&bins_[cell + 4 + at], s.data(), s.size());
    }
    uint32_t data_cell(const std::string& bytes) {
        uint32_t off = alloc(bytes.size());
        put_bytes(off, 0, bytes);
        return off;
    }

    std::string finish(uint32_t root, uint64_t stamp) {
        close_bin();
        std::string base(kBaseBlock, '\0');
        auto at = [&](std::size_t pos, uint32_t v) {
            for (int i = 0; i < 4; ++i) base[pos + i] = char(v >> (8 * i));
        };
        std::memcpy(&base[0], "regf", 4);
        at(0x04, 1); // sequence numbers equal: the hive is consistent
        at(0x08, 1);
        at(0x0C, uint32_t(stamp));
        at(0x10, uint32_t(stamp >> 32));
        at(0x14, 1); // version 1.5
        at(0x18, 5);
        at(0x1C, 0); // primary file
        at(0x20, 1); // direct memory load
        at(0x24, root);
        at(0x28, uint32_t(bins_.size()));
        at(0x2C, 1);
        uint32_t sum = 0;
        for (std::size_t i = 0; i < 0x1FC; i += 4)
            sum ^= uint32_t(uint8_t(base[i])) | uint32_t(uint8_t(base[i + 1])) << 8 |
                   uint32_t(uint8_t(base[i + 2])) << 16 | uint32_t(uint8_t(base[i + 3])) << 24;
        if (sum == 0) sum = 1;
        if (sum == kNone) sum = kNone - 1;
        at(0x1FC, sum);
        return base + bins_;
    }

  private:
    void put(std::size_t pos, uint64_t v, int n) {
        for (int i = 0; i < n; ++i) bins_[pos + i] = char(v >> (8 * i));
    }
    // The unused end of a bin becomes one free cell.
    void close_bin() {
        if (bins_.size() < bin_end_) {
            uint32_t off = uint32_t(bins_.size());
            bins_.append(bin_end_ - bins_.size(), '\0');
            put(off, bin_end_ - off, 4);
        }
    }
    void new_bin(std::size_t cell) {
        close_bin();
        std::size_t size =
            std::max<std::size_t>(4096, (cell + kBinHeader + 4095) & ~std::size_t(4095));
        uint32_t off = uint32_t(bins_.size());
        bins_.append(kBinHeader, '\0');
        std::memcpy(&bins_[off], "hbin", 4);
        put(off + 4, off, 4);
        put(off + 8, size, 4);
        bin_end_ = off + size;
    }

    std::string bins_;
    std::size_t bin_end_ = 0;
};

struct HiveBuilder {
    Writer w;
    uint32_t sk = 0;
    uint32_t keys = 0;
    uint64_t stamp = filetime_now();

    uint32_t value(const HiveValue& v) {
        std::string data = is_string_type(v.type) ? widen(v.data) : v.data;
        uint32_t vk = w.alloc(0x14 + v.name.size());
        w.put_bytes(vk, 0, "vk");
        w.put16(vk, 0x02, uint16_t(v.name.size()));
        if (data.size() <= 4) {
            // Small data lives in the offset field itself.
            w.put32(vk, 0x04, uint32_t(data.size()) | 0x80000000u);
            w.put_bytes(vk, 0x08, data);
        } else {
            w.put32(vk, 0x04, uint32_t(data.size()));
            w.put32(vk, 0x08, data.size() <= kMaxCellData ? w.data_cell(data) : big_data(data));
        }
        w.put32(vk, 0x0C, v.type);
        w.put16(vk, 0x10, kValueCompressedName);
        w.put_bytes(vk, 0x14, v.name);
        return vk;
    }

    uint32_t big_data(const std::string& data) {
        std::size_t count = (data.size() + kMaxCellData - 1) / kMaxCellData;
        uint32_t list = w.alloc(count * 4);
        for (std::size_t i = 0; i < count; ++i)
            w.put32(list, i * 4, w.data_cell(data.substr(i * kMaxCellData, kMaxCellData)));
        uint32_t db = w.alloc(8);
        w.put_bytes(db, 0, "db");
        w.put16(db, 0x02, uint16_t(count));
        w.put32(db, 0x04, list);
        return db;
    }

    // Leaves of at most kMaxLeaf entries; more than one leaf gets an index over them.
    uint32_t subkey_list(const std::vector<uint32_t>& offs,
                         const std::vector<const HiveKey*>& keys) {
        std::vector<uint32_t> leaves;
        for (std::size_t first = 0; first < offs.size(); first += kMaxLeaf) {
            std::size_t n = std::min(kMaxLeaf, offs.size() - first);
            uint32_t lh = w.alloc(4 + n * 8);
            w.put_bytes(lh, 0, "lh");
            w.put16(lh, 0x02, uint16_t(n));
            for (std::size_t i = 0; i < n; ++i) {
                w.put32(lh, 4 + i * 8, offs[first + i]);
                w.put32(lh, 8 + i * 8, name_hash(keys[first + i]->name));
            }
            leaves.push_back(lh);
        }
        if (leaves.size() == 1) return leaves[0];
        uint32_t ri = w.alloc(4 + leaves.size() * 4);
        w.put_bytes(ri, 0, "ri");
        w.put16(ri, 0x02, uint16_t(leaves.size()));
        for (std::size_t i = 0; i < leaves.size(); ++i) w.put32(ri, 4 + i * 4, leaves[i]);
        return ri;
    }

    uint32_t key(const HiveKey& k, uint32_t parent, bool root) {
        ++keys;
        uint32_t nk = w.alloc(0x4C + k.name.size());
        w.put_bytes(nk, 0, "nk");
        w.put16(nk, 0x02, kKeyCompressedName | (root ? kKeyHiveEntry | kKeyNoDelete : 0));
        w.put64(nk, 0x04, stamp);
        w.put32(nk, 0x10, parent);
        w.put32(nk, 0x1C, kNone);
        w.put32(nk, 0x20, kNone);
        w.put32(nk, 0x28, kNone);
        w.put32(nk, 0x2C, sk);
        w.put32(nk, 0x30, kNone);
        w.put16(nk, 0x48, uint16_t(k.name.size()));
        w.put_bytes(nk, 0x4C, k.name);
        if (!k.class_name.empty()) {
            std::string cls = widen(k.class_name);
            w.put32(nk, 0x30, w.data_cell(cls));
            w.put16(nk, 0x4A, uint16_t(cls.size()));
        }

        uint32_t max_name = 0, max_class = 0, max_value_name = 0, max_data = 0;
        if (!k.values.empty()) {
            std::vector<uint32_t> offs;
            for (const HiveValue& v : k.values) {
                offs.push_back(value(v));
                max_value_name = std::max<uint32_t>(max_value_name, uint32_t(v.name.size() * 2));
                std::size_t n = is_string_type(v.type) ? v.data.size() * 2 : v.data.size();
                max_data = std::max<uint32_t>(max_data, uint32_t(n));
            }
            uint32_t list = w.alloc(offs.size() * 4);
            for (std::size_t i = 0; i < offs.size(); ++i) w.put32(list, i * 4, offs[i]);
            w.put32(nk, 0x24, uint32_t(offs.size()));
            w.put32(nk, 0x28, list);
        }
        if (!k.subkeys.empty()) {
            std::vector<const HiveKey*> sorted;
            for (const HiveKey& s : k.subkeys) sorted.push_back(&s);
            std::sort(sorted.begin(), sorted.end(), [](const HiveKey* a, const HiveKey* b) {
                return upcase_less(a->name, b->name);
            });
            std::vector<uint32_t> offs;
            for (const HiveKey* s : sorted) {
                offs.push_back(key(*s, nk, false));
                max_name = std::max<uint32_t>(max_name, uint32_t(s->name.size() * 2));
                max_class = std::max<uint32_t>(max_class, uint32_t(s->class_name.size() * 2));
            }
            w.put32(nk, 0x1C, subkey_list(offs, sorted));
            w.put32(nk, 0x14, uint32_t(offs.size()));
        }
        w.put32(nk, 0x34, max_name);
        w.put32(nk, 0x38, max_class);
        w.put32(nk, 0x3C, max_value_name);
        w.put32(nk, 0x40, max_data);
        return nk;
    }
};

} // namespace

std::string build_hive(const HiveKey& root) {
    HiveBuilder b;
    std::string sd = security_descriptor();
    b.sk = b.w.alloc(0x14 + sd.size());
    b.w.put_bytes(b.sk, 0, "sk");
    b.w.put32(b.sk, 0x04, b.sk); // the only descriptor: its list links point to itself
    b.w.put32(b.sk, 0x08, b.sk);
    b.w.put32(b.sk, 0x10, uint32_t(sd.size()));
    b.w.put_bytes(b.sk, 0x14, sd);
    uint32_t nk = b.key(root, 0, true);
    b.w.put32(b.sk, 0x0C, b.keys);
    return b.w.finish(nk, b.stamp);
}

} // namespace vtx::platform
