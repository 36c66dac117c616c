#include "platform/posix/descriptor_io.h"

#include <cerrno>
#include <unistd.h>

namespace vtx::platform {

int write_all(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return errno;
        if (n == 0) return EIO;
        bytes.remove_prefix(std::size_t(n));
    }
    return 0;
}

int read_all(int fd, std::string& out, std::size_t limit) {
    char buf[65536];
    while (out.size() < limit) {
        std::size_t want = limit - out.size() < sizeof buf ? limit - out.size() : sizeof buf;
        ssize_t n = ::read(fd, buf, want);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return errno;
        if (n == 0) break;
        out.append(buf, std::size_t(n));
    }
    return 0;
}

} // namespace vtx::platform
