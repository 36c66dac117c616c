#include "platform/diagnostics.h"

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace vtx::platform {

void error_write(std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t n = ::write(STDERR_FILENO, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return;
        bytes.remove_prefix(std::size_t(n));
    }
}

bool error_stream_separate() {
    if (!::isatty(STDOUT_FILENO) || !::isatty(STDERR_FILENO)) return true;
    struct stat out {
    }, err{};
    if (::fstat(STDOUT_FILENO, &out) != 0 || ::fstat(STDERR_FILENO, &err) != 0) return true;
    return out.st_rdev != err.st_rdev;
}

} // namespace vtx::platform
