#include "platform/profile.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/files.h"
#include "platform/posix/descriptor_io.h"
#include "platform/posix/errno_status.h"
#include "platform/posix/system/file_kind.h"
#include "platform/posix/system/ini_text.h"
#include "platform/status.h"

namespace vtx::platform {

namespace {

// Profile files are small; the cap only keeps a hostile one from exhausting memory.
constexpr std::size_t kMaxProfile = std::size_t(64) << 20;

// The file a write lands on: symbolic links are followed to their target, even a dangling
// one (the file is then created there), so the link itself survives.
std::string write_target(const std::string& path) {
    std::string at = path;
    for (int hops = 0; hops < 40; ++hops) {
        char buf[PATH_MAX];
        ssize_t n = ::readlink(at.c_str(), buf, sizeof buf);
        if (n <= 0 || std::size_t(n) >= sizeof buf) break; // not a link: the file itself
        std::string next(buf, std::size_t(n));
        std::size_t slash = at.rfind('/');
        if (next[0] != '/' && slash != std::string::npos) next.insert(0, at, 0, slash + 1);
        at = next;
    }
    return at; // a loop of links stays a link, and opening it fails
}

// Opens the file for update and takes the writers' lock on it, making sure the name still
// refers to the locked file: the previous writer may have renamed a new copy over it. The
// descriptor, or -errno.
int open_locked(const std::string& path, bool create, struct stat& st) {
    for (;;) {
        int fd = open_checked(path, O_RDWR | (create ? O_CREAT : 0), 0666, false);
        if (fd < 0) return fd;
        int rc;
        while ((rc = ::flock(fd, LOCK_EX)) != 0 && errno == EINTR) {
        }
        struct stat named;
        if (rc == 0 && ::fstat(fd, &st) == 0 && ::stat(path.c_str(), &named) == 0 &&
            named.st_dev == st.st_dev && named.st_ino == st.st_ino)
            return fd;
        int error = rc != 0 ? errno : 0;
        ::close(fd);
        if (error) return -error;
    }
}

// A complete copy beside the file, renamed over it: 0, -1 when the copy cannot be the
// original's (the folder refuses a new file, or its owner, group or mode cannot be given to
// it), else the failure's status.
int32_t replace_by_copy(const std::string& path, const struct stat& st, const std::string& text) {
    std::string temp = path + ".XXXXXX";
    int fd = ::mkstemp(temp.data());
    if (fd < 0) return -1;
    int32_t rc = 0;
    if (::fchown(fd, st.st_uid, st.st_gid) != 0 || ::fchmod(fd, st.st_mode & 07777) != 0) rc = -1;
    if (rc == 0) rc = status_from_errno(write_all(fd, text));
    if (rc == 0 && ::fsync(fd) != 0) rc = status_from_errno(errno);
    if (::close(fd) != 0 && rc == 0) rc = status_from_errno(errno);
    if (rc == 0 && ::rename(temp.c_str(), path.c_str()) != 0) rc = status_from_errno(errno);
    if (rc != 0) ::unlink(temp.c_str());
    return rc;
}

// Writes the new text over the old through the open file, as the Windows profile functions
// do: for a file with other hard links, which must see the change too, and where no copy
// can be made.
int32_t rewrite_in_place(int fd, const std::string& text) {
    if (::lseek(fd, 0, SEEK_SET) != 0) return status_from_errno(errno);
    int error = write_all(fd, text);
    if (!error && ::ftruncate(fd, off_t(text.size())) != 0) error = errno;
    if (!error && ::fsync(fd) != 0) error = errno;
    return status_from_errno(error);
}

int32_t update_locked(int fd, const struct stat& st, const std::string& path,
                      const std::string& section, const std::string& key,
                      const std::string* value) {
    std::string text;
    int error = read_all(fd, text, kMaxProfile);
    if (error) return status_from_errno(error);
    if (text.size() >= kMaxProfile) return status::kNotEnoughMemory; // never write back a cut file
    std::string changed = ini::write_value(text, section, key, value);
    if (changed == text) return 0;
    int32_t rc = st.st_nlink == 1 ? replace_by_copy(path, st, changed) : -1;
    return rc == -1 ? rewrite_in_place(fd, changed) : rc;
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
    std::string path = write_target(file);
    struct stat st;
    // Nothing to delete in a missing file, and a delete creates none.
    int fd = open_locked(path, value != nullptr, st);
    if (fd == -ENOENT && !value) return 0;
    if (fd < 0) return status_from_errno(-fd, true);
    int32_t rc = update_locked(fd, st, path, section, key, value);
    ::close(fd); // after the rename, so the next writer finds the new file
    return rc;
}

} // namespace vtx::platform
