#include "engine/script.h"

#include <algorithm>
#include <cstring>

#include "engine/runtime.h"
#include "engine/text.h"
#include "platform/files.h"
#include "platform/network.h"
#include "platform/text_encoding.h"

namespace vtx {

std::string search_path(const Runtime& rt, std::string_view name) {
    bool relative = !(name.size() > 1 && name[1] == ':') && !(!name.empty() && name[0] == '\\') &&
                    !(name.size() > 1 && name[1] == '\\');
    // Asked again when the flag is off: a script may have mounted the logon share since.
    bool logon_share = rt.logon_share || (relative && rt.os.is_nt() &&
                                          platform::logon_share_mounted(rt.user.logon_drive));
    if (relative && logon_share) {
        std::string path;
        if (!rt.user.logon_drive.empty()) {
            bounded_copy(path, rt.user.logon_drive);
            bounded_append(path, name);
            if (platform::path_exists(platform::native_path(path))) return path;
        }
        bounded_copy(path, rt.program_dir);
        bounded_append(path, name);
        if (platform::path_exists(platform::native_path(path))) return path;
    }
    return std::string(name);
}

bool text_mode(std::string_view raw, std::size_t limit, std::string& out) {
    out.clear();
    out.reserve(raw.size() < limit ? raw.size() : limit);
    // Whole runs up to the next CR are copied at once: loading stays a small part of a
    // short run.
    std::string_view rest(raw);
    // Ctrl+Z ends a text file, as text mode has read it since DOS.
    if (const void* eof = std::memchr(rest.data(), 26, rest.size()))
        rest = rest.substr(0, std::size_t(static_cast<const char*>(eof) - rest.data()));
    while (!rest.empty() && out.size() < limit) {
        const void* cr = std::memchr(rest.data(), '\r', rest.size());
        std::size_t stop =
            cr ? std::size_t(static_cast<const char*>(cr) - rest.data()) : rest.size();
        std::size_t take = std::min(stop, limit - out.size());
        out.append(rest.data(), take);
        if (take < stop) return true;
        if (!cr) return false;
        if (out.size() >= limit) return true;
        bool pair = stop + 1 < rest.size() && rest[stop + 1] == '\n';
        if (!pair) out.push_back('\r');
        rest.remove_prefix(stop + 1);
    }
    return !rest.empty();
}

bool read_text_file(const std::string& path, std::size_t limit, std::string& out) {
    std::string raw;
    // Each character costs at most two bytes (CR LF), so this much always suffices.
    if (platform::read_file(platform::native_path(path), raw, limit * 2 + 2) != 0) return false;
    text_mode(raw, limit, out);
    return true;
}

namespace {

std::u16string utf16_units(std::string_view bytes, bool big_endian) {
    std::u16string units(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < units.size(); ++i) {
        auto hi = uint8_t(bytes[2 * i + (big_endian ? 0 : 1)]);
        auto lo = uint8_t(bytes[2 * i + (big_endian ? 1 : 0)]);
        units[i] = char16_t(hi << 8 | lo);
    }
    return units;
}

} // namespace

bool read_script_file(const std::string& path, ScriptSource& out) {
    std::string raw;
    // UTF-16 needs four bytes for a CR LF; one more character tells a cut text.
    if (platform::read_file(platform::native_path(path), raw, kMaxScript * 4 + 8) != 0)
        return false;
    std::string_view bytes(raw);
    out.byte_order_mark = 0;
    std::string converted;
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        out.byte_order_mark = 8;
        bytes.remove_prefix(3);
    } else if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) {
        out.byte_order_mark = 16;
        converted = platform::from_utf16(utf16_units(bytes.substr(2), bytes[0] == '\xFE'));
        bytes = converted;
    }
    out.cut = text_mode(bytes, kMaxScript, out.text);
    // Editors of old put one at the very end; only text after it is lost.
    std::size_t mark = bytes.find('\x1A');
    out.end_mark = mark != std::string_view::npos &&
                   bytes.find_first_not_of(" \t\r\n\x1A", mark) != std::string_view::npos;
    return true;
}

void LabelIndex::add(std::string_view name, uint32_t target) {
    labels_.emplace(fold_copy(name), target);
}

int64_t LabelIndex::find(std::string_view name) const {
    auto it = labels_.find(fold_copy(name));
    return it == labels_.end() ? -1 : int64_t(it->second);
}

} // namespace vtx
