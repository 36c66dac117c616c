#include "platform/process.h"

#include <cerrno>
#include <csignal>
#include <ctime>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "platform/files.h"
#include "platform/fuzzing.h"
#include "platform/posix/errno_status.h"
#include "platform/posix/spawn_attributes.h"
#include "platform/posix/system/command_line.h"
#include "platform/status.h"

extern char** environ;

namespace vtx::platform {

namespace {

// A command line made ready for posix_spawnp: everything that allocates is done here, so
// that a forked child only has to spawn.
struct Launch {
    std::vector<std::string> args;
    std::vector<char*> argv;
    std::string program;
    bool is_path = false;

    explicit Launch(std::string_view command_line) : args(split_command_line(command_line)) {
        // A name with a folder in it is a path as scripts write them; a bare name is looked
        // up in PATH as it stands.
        is_path = args[0].find_first_of("/\\") != std::string::npos;
        program = is_path ? native_path(args[0]) : args[0];
        for (std::string& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
    }
};

// Spawns the program without a shell: 0 and its id, or the errno value. Allocates nothing.
int spawn(Launch& launch, pid_t& pid) {
    if (launch.program.empty()) return ENOENT;
    posix_spawnattr_t attr;
    init_child_attributes(attr);
    int error =
        ::posix_spawnp(&pid, launch.program.c_str(), nullptr, &attr, launch.argv.data(), environ);
    posix_spawnattr_destroy(&attr);
    return error;
}

int32_t spawn_status(const Launch& launch, int error) {
    return launch.is_path ? status_from_path_errno(error, launch.program)
                          : status_from_errno(error);
}

// Waits for the child: its exit status, or -1 when it cannot be waited for.
int wait_for(pid_t pid) {
    int st = 0;
    while (::waitpid(pid, &st, 0) < 0)
        if (errno != EINTR) return -1;
    return st;
}

} // namespace

int32_t start_program(std::string_view command_line) {
    // Double start: a short-lived middle process starts the program and ends at once, so
    // the program is adopted by the system and never waits here as a finished child. The
    // middle process hands back posix_spawnp's errno as its exit code.
    Launch launch(command_line);
    if constexpr (kFuzzing) return status::kNotSupported;
    pid_t middle = ::fork();
    if (middle < 0) return status_from_errno(errno);
    if (middle == 0) {
        pid_t pid = 0;
        int error = spawn(launch, pid);
        // An exit code carries eight bits: a larger errno value comes back as EINVAL.
        ::_exit(error > 0 && error < 256 ? error : error == 0 ? 0 : EINVAL);
    }
    int st = wait_for(middle);
    if (st < 0 || !WIFEXITED(st)) return -1;
    return spawn_status(launch, WEXITSTATUS(st));
}

int32_t run_program_and_wait(std::string_view command_line, int32_t& exit_code) {
    Launch launch(command_line);
    if constexpr (kFuzzing) return status::kNotSupported;
    pid_t pid = 0;
    if (int error = spawn(launch, pid)) return spawn_status(launch, error);
    int st = wait_for(pid);
    if (st < 0) return status_from_errno(errno);
    // Killed by a signal: 128 and its number, as shells report it.
    exit_code = WIFEXITED(st) ? WEXITSTATUS(st) : 128 + WTERMSIG(st);
    return 0;
}

void sleep_milliseconds(uint64_t milliseconds) {
    if constexpr (kFuzzing) return;
    timespec left{time_t(milliseconds / 1000), long(milliseconds % 1000) * 1000000L};
    // The pause the script asked for, not a wait for anything: a signal cuts it short, and
    // the rest is slept.
    while (::nanosleep(&left, &left) < 0 && errno == EINTR) {
    }
}

} // namespace vtx::platform
