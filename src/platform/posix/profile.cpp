#include "platform/profile.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/files.h"
#include "platform/posix/errno_status.h"
#include "platform/posix/file_writes.h"
#include "platform/posix/ini_text.h"
#include "platform/status.h"

namespace vtx::platform {

namespace {

// Profile files are small; the cap only keeps a hostile one from exhausting memory.
constexpr std::size_t kMaxProfile = std::size_t(64) << 20;

void append_names(const std::vector<std::string>& names, std::string& out) {
    for (const std::string& n : names) out.append(n).push_back('\0');
}

} // namespace

int32_t profile_read(const std::string& file, const std::string& section, const std::string& key,
                     std::size_t capacity, std::string& out) {
    out.clear();
    std::string text;
    if (read_file(file, text, kMaxProfile) != 0) return 0;
    if (section.empty()) {
        append_names(ini::section_names(text), out);
    } else if (key.empty()) {
        append_names(ini::key_names(text, section), out);
    } else {
        out = ini::read_value(text, section, key);
        if (out.size() >= capacity) out.resize(capacity - 1);
        return 0;
    }
    // A cut list keeps room for the two zero bytes that end it in the Win32 buffer.
    if (out.size() > capacity - 2) out.resize(capacity - 2);
    return 0;
}

int32_t profile_write(const std::string& file, const std::string& section, const std::string& key,
                      const std::string* value) {
    std::string text;
    int32_t rc = read_file(file, text, kMaxProfile);
    if (rc != 0 && rc != status::kFileNotFound) return rc;
    if (text.size() >= kMaxProfile) return status::kNotEnoughMemory; // never write back a cut file
    std::string changed = ini::write_value(text, section, key, value);
    if (rc == 0 && changed == text) return 0;
    if (rc != 0 && !value) return 0; // nothing to delete in a missing file
    return replace_file(file, changed);
}

} // namespace vtx::platform
