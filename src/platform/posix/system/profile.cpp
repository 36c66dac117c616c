#include "platform/profile.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <random>

#include "platform/files.h"
#include "platform/posix/descriptor_io.h"
#include "platform/posix/errno_status.h"
#include "platform/posix/system/drive_table.h"
#include "platform/posix/system/file_kind.h"
#include "platform/posix/system/ini_text.h"
#include "platform/status.h"

namespace vtx::platform {

namespace {

// Profile files are small; the cap only keeps a hostile one from exhausting memory.
constexpr std::size_t kMaxProfile = std::size_t(64) << 20;

// What the writer's copies are called: `.NAME.vtx32-XXXXXX` beside NAME. A copy of that
// name found while the writers' lock is held was left by a writer that was killed.
constexpr std::string_view kCopyInfix = ".vtx32-";
constexpr std::size_t kCopySuffix = 6;

// The file a write lands on: symbolic links are followed to their target, even a dangling
// one (the file is then created there), so the link itself survives.
std::string write_target(const std::string& path) {
    std::string at = path;
    // 40: the kernel's own limit on links followed in one path.
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

struct Place {
    std::string folder; // "." for a bare name
    std::string name;
};

Place place_of(const std::string& path) {
    std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return {".", path};
    return {slash == 0 ? "/" : path.substr(0, slash), path.substr(slash + 1)};
}

// A file on a network share: under GVfs's FUSE folder, or on a kernel SMB or NFS mount. The
// server owns such files: they are never opened for update, and a copy of one takes the
// server's owner and permissions.
bool on_network_share(const std::string& path) {
    std::string fuse = gvfs_fuse_folder();
    if (!fuse.empty() && path.compare(0, fuse.size() + 1, fuse + "/") == 0) return true;
    struct statfs fs;
    if (::statfs(path.c_str(), &fs) != 0 && ::statfs(place_of(path).folder.c_str(), &fs) != 0)
        return false;
    switch (static_cast<unsigned long>(fs.f_type)) {
    case 0x6969UL:     // NFS
    case 0x517BUL:     // SMB
    case 0xFF534D42UL: // CIFS
    case 0xFE534D42UL: // SMB2
        return true;
    default: return false;
    }
}

// Opens the file and takes the writers' lock on it, making sure the name still refers to the
// locked file: the previous writer may have renamed a new copy over it. A file on a share is
// opened read-only (a FUSE share refuses more) and, when missing, created empty first. The
// descriptor, or -errno.
int open_locked(const std::string& path, bool create, bool remote, struct stat& st) {
    for (;;) {
        int fd =
            open_checked(path, remote ? O_RDONLY : O_RDWR | (create ? O_CREAT : 0), 0666, false);
        if (fd == -ENOENT && remote && create) {
            fd = open_checked(path, O_WRONLY | O_CREAT | O_EXCL, 0666, false);
            if (fd >= 0 || fd == -EEXIST) {
                if (fd >= 0) ::close(fd);
                continue;
            }
        }
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

bool is_writer_copy(std::string_view entry, std::string_view prefix) {
    return entry.size() == prefix.size() + kCopySuffix && entry.substr(0, prefix.size()) == prefix;
}

// Removes the copies a killed writer left beside the file; the caller holds the lock.
void remove_stale_copies(const Place& at) {
    std::string prefix = "." + at.name + std::string(kCopyInfix);
    DIR* d = ::opendir(at.folder.c_str());
    if (!d) return;
    while (dirent* e = ::readdir(d)) {
        struct stat st;
        if (is_writer_copy(e->d_name, prefix) &&
            ::fstatat(::dirfd(d), e->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode))
            ::unlinkat(::dirfd(d), e->d_name, 0);
    }
    ::closedir(d);
}

// Creates a new file of the writer's naming beside the file: the descriptor and its name,
// or -errno.
int create_copy(const Place& at, mode_t mode, std::string& name) {
    static std::mt19937_64 random{std::random_device{}()};
    const char* digits = "0123456789abcdefghijklmnopqrstuvwxyz";
    for (int tries = 0; tries < 100; ++tries) {
        name = at.folder + "/." + at.name + std::string(kCopyInfix);
        for (std::size_t i = 0; i < kCopySuffix; ++i) name.push_back(digits[random() % 36]);
        int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, mode);
        if (fd >= 0 || errno != EEXIST) return fd >= 0 ? fd : -errno;
    }
    return -EEXIST;
}

// Gives the copy the original's extended attributes, its access control list among them
// (set after the mode, whose group bits then become the list's mask as before): false when
// one cannot be carried over.
bool copy_attributes(int from, int to) {
    ssize_t size = ::flistxattr(from, nullptr, 0);
    if (size < 0) return errno == ENOTSUP;
    std::string names(std::size_t(size), '\0');
    size = ::flistxattr(from, names.data(), names.size());
    if (size < 0) return false;
    names.resize(std::size_t(size));
    std::string value;
    for (std::size_t at = 0; at < names.size(); at = names.find('\0', at) + 1) {
        const char* name = names.c_str() + at;
        ssize_t n = ::fgetxattr(from, name, nullptr, 0);
        if (n < 0) return false;
        value.resize(std::size_t(n));
        n = ::fgetxattr(from, name, value.data(), value.size());
        if (n < 0 || ::fsetxattr(to, name, value.data(), std::size_t(n), 0) != 0) return false;
    }
    return true;
}

// A complete copy beside the file, renamed over it; the old file stays whole until then.
// 0, -1 when the copy cannot be the original's (the folder refuses a new file, or its owner,
// group, mode or attributes cannot be given to it), else the failure's status. On a share the
// copy is the server's: nothing is carried over, and any failure is the answer.
int32_t replace_by_copy(const std::string& path, int original, const struct stat& st, bool remote,
                        const std::string& text) {
    Place at = place_of(path);
    remove_stale_copies(at);
    std::string temp;
    // Private until the original's owner and mode are given to it below.
    int fd = create_copy(at, remote ? 0666 : 0600, temp);
    if (fd < 0) return remote ? status_from_errno(-fd) : -1;
    int32_t rc = 0;
    if (!remote && (::fchown(fd, st.st_uid, st.st_gid) != 0 ||
                    ::fchmod(fd, st.st_mode & 07777) != 0 || !copy_attributes(original, fd)))
        rc = -1;
    if (rc == 0) rc = status_from_errno(write_all(fd, text));
    // A share may not offer fsync; its server has the bytes once close succeeds.
    if (rc == 0 && ::fsync(fd) != 0 && !(remote && (errno == ENOSYS || errno == EINVAL)))
        rc = status_from_errno(errno);
    if (::close(fd) != 0 && rc == 0) rc = status_from_errno(errno);
    if (rc == 0 && ::rename(temp.c_str(), path.c_str()) != 0) rc = status_from_errno(errno);
    if (rc != 0) ::unlink(temp.c_str());
    return rc;
}

// Writes the new text over the old through the open file, as the Windows profile functions
// do: for a file with other hard links, which must see the change too, and where no copy
// can be made. The new length is reserved before any old byte is overwritten, so a full disk
// leaves the file as it was.
int32_t rewrite_in_place(int fd, off_t old_size, const std::string& text) {
    if (off_t(text.size()) > old_size) {
        int error = ::posix_fallocate(fd, 0, off_t(text.size()));
        // Where nothing can be reserved, writing the part beyond the old end first does it.
        if (error == EOPNOTSUPP || error == EINVAL) {
            error = ::lseek(fd, old_size, SEEK_SET) == old_size
                        ? write_all(fd, std::string_view(text).substr(std::size_t(old_size)))
                        : errno;
        }
        if (error) {
            // Back to the old length; the failure reported is the reservation's.
            [[maybe_unused]] int restored = ::ftruncate(fd, old_size);
            return status_from_errno(error);
        }
    }
    if (::lseek(fd, 0, SEEK_SET) != 0) return status_from_errno(errno);
    int error = write_all(fd, text);
    if (!error && ::ftruncate(fd, off_t(text.size())) != 0) error = errno;
    if (!error && ::fsync(fd) != 0) error = errno;
    return status_from_errno(error);
}

int32_t update_locked(int fd, const struct stat& st, const std::string& path, bool remote,
                      const std::string& section, const std::string& key,
                      const std::string* value) {
    std::string text;
    int error = read_all(fd, text, kMaxProfile);
    if (error) return status_from_errno(error);
    if (text.size() >= kMaxProfile) return status::kNotEnoughMemory; // never write back a cut file
    std::string changed = ini::write_value(text, section, key, value);
    if (changed == text) return 0;
    int32_t rc = remote || st.st_nlink == 1 ? replace_by_copy(path, fd, st, remote, changed) : -1;
    return rc == -1 ? rewrite_in_place(fd, off_t(text.size()), changed) : rc;
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
        // A cut value keeps room for the zero byte that ends it in the Win32 buffer.
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
    bool remote = on_network_share(path);
    struct stat st;
    // Nothing to delete in a missing file, and a delete creates none.
    int fd = open_locked(path, value != nullptr, remote, st);
    if (fd == -ENOENT && !value) return 0;
    if (fd < 0) return status_from_errno(-fd, true);
    int32_t rc = update_locked(fd, st, path, remote, section, key, value);
    ::close(fd); // after the rename, so the next writer finds the new file
    return rc;
}

} // namespace vtx::platform
