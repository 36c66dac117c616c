#include "platform/posix/descriptor_io.h"

#include <cerrno>
#include <poll.h>
#include <time.h>
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

long long monotonic_ms() {
    timespec ts{};
    ::clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1000LL + ts.tv_nsec / 1000000;
}

bool exchange(int in, int out, const std::string& input, std::string& output, long long deadline) {
    std::size_t sent = 0;
    bool ended = false;
    while (!ended) {
        // Closing its input is how a tool learns there is no more.
        if (in >= 0 && sent == input.size()) ::close(in), in = -1;
        // Writing and reading together: a tool that answers while it reads would otherwise fill the
        // pipe and stall us both.
        pollfd p[2] = {{out, POLLIN, 0}, {in, POLLOUT, 0}};
        long long left = deadline - monotonic_ms();
        if (left <= 0) break;
        int rc = ::poll(p, in >= 0 ? 2 : 1, int(left));
        if (rc < 0 && errno == EINTR) continue;
        if (rc <= 0) break;
        if (in >= 0 && p[1].revents) {
            ssize_t n = ::write(in, input.data() + sent, input.size() - sent);
            if (n < 0)
                ::close(in), in = -1; // it closed its input: nothing more to give
            else
                sent += std::size_t(n);
        }
        if (p[0].revents) {
            char buf[4096];
            ssize_t n = ::read(out, buf, sizeof buf);
            if (n > 0)
                output.append(buf, std::size_t(n));
            else
                ended = n == 0 || errno != EINTR;
        }
    }
    if (in >= 0) ::close(in);
    return ended;
}

} // namespace vtx::platform
