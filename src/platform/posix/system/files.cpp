#include "platform/files.h"

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/posix/descriptor_io.h"
#include "platform/posix/errno_status.h"
#include "platform/posix/system/drive_table.h"
#include "platform/posix/system/file_kind.h"
#include "platform/status.h"
#include "platform/text_rules.h"

namespace vtx::platform {

bool path_exists(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0;
}

int32_t read_file(const std::string& path, std::string& out, std::size_t limit) {
    out.clear();
    int fd = open_checked(path, O_RDONLY, 0, true);
    if (fd < 0) return status_from_errno(-fd);
    int error = read_all(fd, out, limit);
    ::close(fd);
    return status_from_errno(error);
}

int32_t open_for_write(const std::string& path, bool truncate, FileHandle& out) {
    int flags = O_WRONLY | O_CREAT | (truncate ? O_TRUNC : O_APPEND);
    int fd = open_checked(path, flags, 0666, true);
    if (fd < 0) {
        out = kNoFile;
        return status_from_errno(-fd, true);
    }
    out = fd;
    return 0;
}

int32_t write_file(FileHandle f, std::string_view bytes) {
    int error = write_all(int(f), bytes);
    return error ? status_from_errno(error) : 0;
}

void close_file(FileHandle f) {
    if (f != kNoFile) ::close(int(f));
}

int32_t open_for_read_shared(const std::string& path, FileHandle& out) {
    out = kNoFile;
    int fd = open_checked(path, O_RDONLY | O_CREAT, 0666, true);
    if (fd < 0) return status_from_errno(-fd, true);
    out = fd;
    return 0;
}

int32_t file_size(FileHandle f, uint64_t& size) {
    struct stat st;
    if (::fstat(int(f), &st) != 0) return status_from_errno(errno);
    size = uint64_t(st.st_size);
    return 0;
}

int32_t replace_file(const std::string& from, const std::string& to) {
    return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : status_from_errno(errno, true);
}

int32_t delete_file(const std::string& path) {
    std::string native;
    if (int32_t st = resolve_path(path, native)) return st;
    struct stat st;
    // unlink() would not refuse a folder on every system; Windows does. lstat: a link to a
    // folder is a file of its own, and goes like one.
    if (::lstat(native.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return status::kAccessDenied;
    return ::unlink(native.c_str()) == 0 ? 0 : status_from_path_errno(errno, native);
}

int32_t change_drive(char letter) {
    DriveEntry d;
    if (!find_drive(std::string{letter, ':'}, d)) return status::kInvalidDrive;
    return ::chdir(d.target.c_str()) == 0 ? 0 : status_from_errno(errno);
}

// --- Folders and files of the file commands ---

int32_t create_directory(const std::string& path) {
    std::string native;
    if (int32_t st = resolve_path(path, native)) return st;
    if (::mkdir(native.c_str(), 0777) == 0) return 0;
    return status_from_path_errno(errno, native);
}

int32_t set_current_directory(const std::string& path) {
    std::string native;
    if (int32_t st = resolve_path(path, native)) return st;
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
    std::string native;
    if (int32_t st = resolve_path(path, native)) return st;
    int fd = open_checked(native, O_RDONLY, 0, true);
    if (fd < 0) return status_from_path_errno(-fd, native);
    out = fd;
    return 0;
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

int32_t resolve_path(std::string_view path, std::string& native) {
    std::string p;
    if (int32_t st = resolve_network_path(path, p)) {
        native.clear();
        return st;
    }
    for (char& c : p)
        if (c == '\\') c = '/';
    std::size_t slash = p.rfind('/');
    if (p.empty() || path_exists(p))
        native = p;
    else if (slash == std::string::npos)
        native = match_component("", p);
    else
        native = match_component(slash == 0 ? "/" : p.substr(0, slash), p.substr(slash + 1));
    return 0;
}

std::string native_path(std::string_view path) {
    std::string native;
    resolve_path(path, native);
    return native;
}

} // namespace vtx::platform
