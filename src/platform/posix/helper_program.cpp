#include "platform/posix/helper_program.h"

#include <cerrno>
#include <csignal>
#include <ctime>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/fuzzing.h"
#include "platform/posix/spawn_attributes.h"

extern char** environ;

namespace vtx::platform {

namespace {

struct Pipe {
    int fd[2] = {-1, -1};
    bool open() { return ::pipe2(fd, O_CLOEXEC) == 0; }
    void close_end(int i) {
        if (fd[i] >= 0) ::close(fd[i]);
        fd[i] = -1;
    }
    ~Pipe() {
        close_end(0);
        close_end(1);
    }
};

long long now_ms() {
    timespec ts{};
    ::clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1000LL + ts.tv_nsec / 1000000;
}

// Feeds the input and drains the output until the output closes (true) or the time is up.
// Closes `in`.
bool exchange(int in, int out, const std::string& input, std::string& output, long long deadline) {
    std::size_t sent = 0;
    bool ended = false;
    while (!ended) {
        if (in >= 0 && sent == input.size()) ::close(in), in = -1;
        pollfd p[2] = {{out, POLLIN, 0}, {in, POLLOUT, 0}};
        long long left = deadline - now_ms();
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

} // namespace

int run_helper(const std::vector<std::string>& argv, const std::string& input, std::string& output,
               int seconds) {
    if constexpr (kFuzzing) return kHelperMissing;
    Pipe to, from;
    if (argv.empty() || !to.open() || !from.open()) return kHelperMissing;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, to.fd[0], 0);
    posix_spawn_file_actions_adddup2(&actions, from.fd[1], 1);
    posix_spawn_file_actions_adddup2(&actions, from.fd[1], 2);
    posix_spawnattr_t attr;
    init_child_attributes(attr, POSIX_SPAWN_SETSID);
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    pid_t pid = 0;
    int error = ::posix_spawnp(&pid, args[0], &actions, &attr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attr);
    if (error) return kHelperMissing;
    to.close_end(0);
    from.close_end(1);
    // A tool that stops reading its input must not end this program with SIGPIPE.
    struct sigaction ignore {
    }, saved{};
    ignore.sa_handler = SIG_IGN;
    ::sigaction(SIGPIPE, &ignore, &saved);
    int in = to.fd[1];
    to.fd[1] = -1;
    bool finished = exchange(in, from.fd[0], input, output, now_ms() + seconds * 1000LL);
    ::sigaction(SIGPIPE, &saved, nullptr);
    if (!finished) ::kill(pid, SIGKILL);
    int st = 0;
    while (::waitpid(pid, &st, 0) < 0 && errno == EINTR) {
    }
    return finished && WIFEXITED(st) ? WEXITSTATUS(st) : kHelperFailed;
}

} // namespace vtx::platform
