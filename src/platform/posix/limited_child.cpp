#include "platform/posix/limited_child.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace vtx::platform {

bool run_limited(const std::function<std::string()>& work, int seconds, std::string& reply) {
    reply.clear();
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) return false;
    pid_t pid = ::fork();
    if (pid < 0) {
        ::close(fds[0]);
        ::close(fds[1]);
        return false;
    }
    if (pid == 0) {
        ::close(fds[0]);
        int null = ::open("/dev/null", O_RDWR | O_CLOEXEC);
        // Library warnings must not land in the script's output.
        if (null >= 0) {
            ::dup2(null, 0);
            ::dup2(null, 1);
            ::dup2(null, 2);
        }
        std::string answer = work();
        const char* p = answer.data();
        std::size_t left = answer.size();
        while (left > 0) {
            ssize_t n = ::write(fds[1], p, left);
            if (n <= 0 && errno != EINTR) break;
            if (n > 0) p += n, left -= std::size_t(n);
        }
        ::_exit(0);
    }
    ::close(fds[1]);
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    bool done = false;
    for (;;) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) break;
        pollfd p{fds[0], POLLIN, 0};
        int r = ::poll(&p, 1, int(left.count()));
        if (r < 0 && errno == EINTR) continue;
        if (r <= 0) break;
        char buf[4096];
        ssize_t n = ::read(fds[0], buf, sizeof buf);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            done = true; // the child closed its end: the answer is complete
            break;
        }
        reply.append(buf, std::size_t(n));
    }
    ::close(fds[0]);
    if (!done) ::kill(pid, SIGKILL);
    while (::waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
    }
    return done;
}

} // namespace vtx::platform
