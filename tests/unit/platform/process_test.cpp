#include "platform/process.h"

#include <cerrno>
#include <chrono>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/status.h"

namespace vtx::platform {
namespace {

TEST(Process, WaitsAndGivesTheExitCode) {
    int32_t code = -7;
    EXPECT_EQ(run_program_and_wait("sh -c \"exit 5\"", code), 0);
    EXPECT_EQ(code, 5);
    EXPECT_EQ(run_program_and_wait("sh -c \"kill -TERM $$\"", code), 0);
    EXPECT_EQ(code, 128 + SIGTERM);
}

TEST(Process, ProgramsThatCannotStart) {
    int32_t code = -7;
    EXPECT_EQ(run_program_and_wait("no_such_program_anywhere", code), status::kFileNotFound);
    EXPECT_EQ(run_program_and_wait("", code), status::kFileNotFound);
    EXPECT_EQ(run_program_and_wait("./no_such_folder/x", code), status::kPathNotFound);
    EXPECT_EQ(run_program_and_wait("\\no_such_folder\\x", code), status::kPathNotFound);
    EXPECT_EQ(run_program_and_wait("/", code), status::kAccessDenied);
    EXPECT_EQ(code, -7);
    EXPECT_EQ(start_program("no_such_program_anywhere"), status::kFileNotFound);
}

TEST(Process, StartedProgramsAreNotLeftToThisProcess) {
    auto before = std::chrono::steady_clock::now();
    ASSERT_EQ(start_program("sleep 2"), 0);
    ASSERT_EQ(start_program("true"), 0);
    EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::seconds(1));
    // Neither the running program nor the finished one is a child to collect.
    usleep(200000);
    EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1);
    EXPECT_EQ(errno, ECHILD);
}

} // namespace
} // namespace vtx::platform
