#include "platform/posix/file_writes.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "platform/files.h"
#include "platform/posix/errno_status.h"

namespace vtx::platform {

int32_t write_whole_file(const std::string& path, const std::string& text) {
    // Through a symbolic link to its target, so the rename below keeps the link.
    std::string target = path;
    if (char* real = ::realpath(path.c_str(), nullptr)) {
        target = real;
        std::free(real);
    }
    // The umask can only be read by setting it.
    mode_t mode = ::umask(0);
    ::umask(mode);
    mode = 0666 & ~mode;
    struct stat st;
    // A file that exists keeps its permissions.
    if (::stat(target.c_str(), &st) == 0) mode = st.st_mode & 07777;

    // Written beside it and renamed over it: a crash leaves the old file or the new, never half.
    std::string temp = target + ".XXXXXX";
    int fd = ::mkstemp(temp.data());
    if (fd < 0) return status_from_errno(errno, true);
    int32_t rc = write_file(fd, text);
    if (rc == 0 && ::fchmod(fd, mode) != 0) rc = status_from_errno(errno);
    // Before the rename, so it never publishes data not yet on disk.
    if (rc == 0 && ::fsync(fd) != 0) rc = status_from_errno(errno);
    if (::close(fd) != 0 && rc == 0) rc = status_from_errno(errno);
    if (rc == 0 && ::rename(temp.c_str(), target.c_str()) != 0) rc = status_from_errno(errno);
    if (rc != 0) ::unlink(temp.c_str());
    return rc;
}

int make_folders(const std::string& path, mode_t mode) {
    for (std::size_t i = 1; i <= path.size(); ++i) {
        if (i == path.size() || path[i] == '/') {
            std::string part = path.substr(0, i);
            if (::mkdir(part.c_str(), mode) != 0 && errno != EEXIST) return errno;
        }
    }
    return 0;
}

} // namespace vtx::platform
