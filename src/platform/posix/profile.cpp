#include "platform/profile.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/files.h"
#include "platform/posix/errno_status.h"
#include "platform/posix/ini_text.h"
#include "platform/status.h"

namespace vtx::platform {

namespace {

// Profile files are small; the cap only keeps a hostile one from exhausting memory.
constexpr std::size_t kMaxProfile = std::size_t(64) << 20;

// Writes `text` to a new file beside `path` and renames it over `path`, keeping the old
// file's permissions. A symbolic link is followed, so the link itself survives.
int32_t replace_file(const std::string& path, const std::string& text) {
    std::string target = path;
    if (char* real = ::realpath(path.c_str(), nullptr)) {
        target = real;
        std::free(real);
    }
    mode_t mode = ::umask(0);
    ::umask(mode);
    mode = 0666 & ~mode;
    struct stat st;
    if (::stat(target.c_str(), &st) == 0) mode = st.st_mode & 07777;

    std::string temp = target + ".XXXXXX";
    int fd = ::mkstemp(temp.data());
    if (fd < 0) return status_from_errno(errno, true);
    int32_t rc = write_file(fd, text);
    // A share mounted through GVfs keeps no POSIX modes and refuses to set them.
    if (rc == 0 && ::fchmod(fd, mode) != 0 && errno != ENOTSUP) rc = status_from_errno(errno);
    if (rc == 0 && ::fsync(fd) != 0) rc = status_from_errno(errno);
    if (::close(fd) != 0 && rc == 0) rc = status_from_errno(errno);
    if (rc == 0 && ::rename(temp.c_str(), target.c_str()) != 0) rc = status_from_errno(errno);
    if (rc != 0) ::unlink(temp.c_str());
    return rc;
}

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
