#include "platform/posix/limited_child.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/posix/descriptor_io.h"
#include "platform/text_rules.h"

namespace vtx::platform {

bool run_limited(const std::function<std::string()>& work, int seconds, std::string& reply) {
    reply.clear();
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) return false;
    // A child, not a thread: a library call that never returns can only be ended by killing it.
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
        write_all(fds[1], work());
        ::_exit(0);
    }
    ::close(fds[1]);
    bool done = exchange(-1, fds[0], "", reply, monotonic_ms() + seconds * 1000LL);
    ::close(fds[0]);
    if (!done) ::kill(pid, SIGKILL);
    while (::waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
    }
    return done;
}

std::string status_reply(int32_t status, const std::string& text) {
    return std::to_string(status) + "\n" + text;
}

int32_t run_limited_status(const std::function<std::string()>& work, int seconds,
                           int32_t unanswered, std::string& text) {
    std::string reply;
    std::size_t line_end = std::string::npos;
    if (run_limited(work, seconds, reply)) line_end = reply.find('\n');
    if (line_end == std::string::npos) return unanswered;
    text = reply.substr(line_end + 1);
    return text_to_int(std::string_view(reply).substr(0, line_end));
}

} // namespace vtx::platform
