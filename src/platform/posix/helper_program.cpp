#include "platform/posix/helper_program.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/fuzzing.h"
#include "platform/posix/descriptor_io.h"
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

} // namespace

int run_helper(const std::vector<std::string>& argv, const std::string& input, std::string& output,
               int seconds, bool errors_too) {
    if constexpr (kFuzzing) return kHelperMissing;
    Pipe to, from;
    if (argv.empty() || !to.open() || !from.open()) return kHelperMissing;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, to.fd[0], 0);
    posix_spawn_file_actions_adddup2(&actions, from.fd[1], 1);
    if (errors_too)
        posix_spawn_file_actions_adddup2(&actions, from.fd[1], 2);
    else
        // A tool's complaints must not land in the script's output.
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    posix_spawnattr_t attr;
    // Its own session: the tool must not read the user's terminal or get the keyboard's signals.
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
    bool finished = exchange(in, from.fd[0], input, output, monotonic_ms() + seconds * 1000LL);
    ::sigaction(SIGPIPE, &saved, nullptr);
    if (!finished) ::kill(pid, SIGKILL);
    int st = 0;
    while (::waitpid(pid, &st, 0) < 0 && errno == EINTR) {
    }
    return finished && WIFEXITED(st) ? WEXITSTATUS(st) : kHelperFailed;
}

} // namespace vtx::platform
