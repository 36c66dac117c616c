#include "engine/script.h"

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
    for (std::size_t i = 0; i < raw.size() && out.size() < limit; ++i) {
        char c = raw[i];
        if (c == 26) break;
        if (c == '\r' && i + 1 < raw.size() && raw[i + 1] == '\n') continue;
        out.push_back(c);
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
