#include "platform/files.h"

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/text_rules.h"
#include "platform/posix/errno_status.h"
#include "platform/status.h"

namespace vtx::platform {

bool path_exists(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0;
}

int32_t read_file(const std::string& path, std::string& out, std::size_t limit) {
    out.clear();
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return status_from_errno(errno);
    struct stat st;
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(fd);
        return status::kAccessDenied; // Windows refuses to open a folder as a file
    }
    char buf[65536];
    int32_t result = 0;
    while (out.size() < limit) {
        std::size_t want = limit - out.size() < sizeof buf ? limit - out.size() : sizeof buf;
        ssize_t n = ::read(fd, buf, want);
        if (n < 0) {
            if (errno == EINTR) continue;
            result = status_from_errno(errno);
            break;
        }
        if (n == 0) break;
        out.append(buf, std::size_t(n));
    }
    ::close(fd);
    return result;
}

int32_t open_for_write(const std::string& path, bool truncate, FileHandle& out) {
    int flags = O_WRONLY | O_CREAT | O_CLOEXEC | (truncate ? O_TRUNC : O_APPEND);
    int fd = ::open(path.c_str(), flags, 0666);
    if (fd < 0) {
        out = kNoFile;
        return status_from_errno(errno, true);
    }
    out = fd;
    return 0;
}

int32_t write_file(FileHandle f, std::string_view bytes) {
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        ssize_t n = ::write(int(f), p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            return status_from_errno(errno);
        }
        p += n;
        left -= std::size_t(n);
    }
    return 0;
}

void close_file(FileHandle f) {
    if (f != kNoFile) ::close(int(f));
}

namespace {

// Hands out `fd` unless it is a folder, which Windows refuses to open as a file (5).
int32_t file_not_folder(int fd, FileHandle& out) {
    struct stat st;
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(fd);
        return status::kAccessDenied;
    }
    out = fd;
    return 0;
}

} // namespace

int32_t open_for_read_shared(const std::string& path, FileHandle& out) {
    out = kNoFile;
    int fd = ::open(path.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) return status_from_errno(errno, true);
    return file_not_folder(fd, out);
}

int32_t file_size(FileHandle f, uint64_t& size) {
    struct stat st;
    if (::fstat(int(f), &st) != 0) return status_from_errno(errno);
    size = uint64_t(st.st_size);
    return 0;
}

int32_t delete_file(const std::string& path) {
    std::string native = native_path(path);
    struct stat st;
    // unlink() would not refuse a folder on every system; Windows does.
    if (::lstat(native.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return status::kAccessDenied;
    return ::unlink(native.c_str()) == 0 ? 0 : status_from_path_errno(errno, native);
}

int32_t change_drive(char) {
    return status::kInvalidDrive;
}

// --- Folders and files of the file commands ---

int32_t create_directory(const std::string& path) {
    std::string native = native_path(path);
    if (::mkdir(native.c_str(), 0777) == 0) return 0;
    return status_from_path_errno(errno, native);
}

int32_t set_current_directory(const std::string& path) {
    std::string native = native_path(path);
    if (::chdir(native.c_str()) == 0) return 0;
    int error = errno;
    struct stat st;
    // Windows names this case apart: the last component exists but is no folder.
    if (error == ENOTDIR && ::stat(native.c_str(), &st) == 0 && !S_ISDIR(st.st_mode))
        return status::kDirectory;
    return status_from_path_errno(error, native);
}

int32_t open_for_read(const std::string& path, FileHandle& out) {
    out = kNoFile;
    std::string native = native_path(path);
    int fd = ::open(native.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return status_from_path_errno(errno, native);
    return file_not_folder(fd, out);
}

int32_t read_bytes(FileHandle f, char* buffer, std::size_t size, std::size_t& got) {
    got = 0;
    for (;;) {
        ssize_t n = ::read(int(f), buffer, size);
        if (n >= 0) {
            got = std::size_t(n);
            return 0;
        }
        if (errno != EINTR) return status_from_errno(errno);
    }
}

// --- end of the file commands' block ---

namespace {

// When `dir/name` does not exist, the first entry of `dir` equal to `name` without
// regard to case: scripts written for Windows name files without regard to case.
std::string match_component(const std::string& dir, const std::string& name) {
    std::string exact = dir.empty() ? name : (dir == "/" ? "/" + name : dir + "/" + name);
    if (name.empty() || name == "." || name == ".." || path_exists(exact)) return exact;
    DIR* d = ::opendir(dir.empty() ? "." : dir.c_str());
    if (!d) return exact;
    std::string found = exact;
    while (dirent* e = ::readdir(d)) {
        if (equal_nocase(e->d_name, name)) {
            found = dir.empty() ? e->d_name : (dir == "/" ? "/" : dir + "/") + e->d_name;
            break;
        }
    }
    ::closedir(d);
    return found;
}

} // namespace

std::string native_path(std::string_view path) {
    std::string p(path);
    for (char& c : p)
        if (c == '\\') c = '/';
    if (p.empty() || path_exists(p)) return p;
    std::size_t slash = p.rfind('/');
    if (slash == std::string::npos) return match_component("", p);
    return match_component(slash == 0 ? "/" : p.substr(0, slash), p.substr(slash + 1));
}

} // namespace vtx::platform
