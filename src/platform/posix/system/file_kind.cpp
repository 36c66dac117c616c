#include "platform/posix/system/file_kind.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/files.h"

namespace vtx::platform {

FileKind file_kind(const std::string& path) {
    struct stat st;
    // A name that cannot be looked up (too long, a file on the way) holds nothing either:
    // what is then done with it reports why, as on Windows.
    if (::stat(path.c_str(), &st) != 0) return FileKind::missing;
    if (S_ISREG(st.st_mode)) return FileKind::regular;
    return S_ISDIR(st.st_mode) ? FileKind::folder : FileKind::other;
}

int open_checked(const std::string& path, int flags, mode_t mode, bool devices) {
    // Non-blocking for the open only: a FIFO would otherwise hold it until a peer came.
    int fd = ::open(path.c_str(), flags | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, mode);
    // A socket cannot be opened at all, a FIFO without a reader cannot be opened to write.
    if (fd < 0) return errno == ENXIO || errno == EOPNOTSUPP ? -EACCES : -errno;
    struct stat st;
    if (::fstat(fd, &st) != 0) {
        int error = errno;
        ::close(fd);
        return -error;
    }
    // A folder, FIFO or socket is no file a script can read or write: 5, as Windows gives.
    if (!S_ISREG(st.st_mode) && !(devices && S_ISCHR(st.st_mode))) {
        ::close(fd);
        return -EACCES;
    }
    int status_flags = ::fcntl(fd, F_GETFL);
    if (status_flags >= 0) ::fcntl(fd, F_SETFL, status_flags & ~O_NONBLOCK);
    return fd;
}

} // namespace vtx::platform
