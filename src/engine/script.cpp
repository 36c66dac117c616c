#include "engine/script.h"

#include <algorithm>
#include <cstring>

#include "engine/runtime.h"
#include "engine/text.h"
#include "platform/files.h"

namespace vtx {

std::string search_path(const Runtime& rt, std::string_view name) {
    bool relative = !(name.size() > 1 && name[1] == ':') && !(!name.empty() && name[0] == '\\') &&
                    !(name.size() > 1 && name[1] == '\\');
    if (relative && rt.logon_share) {
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

bool read_text_file(const std::string& path, std::size_t limit, std::string& out) {
    std::string raw;
    // Each character costs at most two bytes (CR LF), so this much always suffices.
    if (platform::read_file(platform::native_path(path), raw, limit * 2 + 2) != 0) return false;
    out.clear();
    out.reserve(raw.size() < limit ? raw.size() : limit);
    // Whole runs up to the next CR are copied at once: loading stays a small part of a
    // short run.
    std::string_view rest(raw);
    if (const void* eof = std::memchr(rest.data(), 26, rest.size()))
        rest = rest.substr(0, std::size_t(static_cast<const char*>(eof) - rest.data()));
    while (!rest.empty() && out.size() < limit) {
        const void* cr = std::memchr(rest.data(), '\r', rest.size());
        std::size_t stop =
            cr ? std::size_t(static_cast<const char*>(cr) - rest.data()) : rest.size();
        out.append(rest.data(), std::min(stop, limit - out.size()));
        if (!cr || out.size() >= limit) break;
        if (stop + 1 >= rest.size() || rest[stop + 1] != '\n') out.push_back('\r');
        rest.remove_prefix(stop + 1);
    }
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
