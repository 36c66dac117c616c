// The INI writer when the disk fills up: a real file-size limit (RLIMIT_FSIZE) in a child
// process stands in for the full disk, and the file must come through unchanged.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <sstream>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/profile.h"

namespace vtx::platform {
namespace {

class ProfileWriteTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char tmpl[] = "/tmp/vtx32-profile-XXXXXX";
        ASSERT_NE(mkdtemp(tmpl), nullptr);
        dir_ = tmpl;
        file_ = dir_ + "/big.ini";
        std::ofstream out(file_);
        for (int i = 0; i < 600; ++i) out << "[S" << i << "]\nkey=value " << i << "\n";
        out.close();
        old_ = contents(file_);
    }
    void TearDown() override {
        std::string cmd = "rm -rf '" + dir_ + "'";
        ASSERT_EQ(std::system(cmd.c_str()), 0);
    }
    static std::string contents(const std::string& path) {
        std::ifstream in(path);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    // The status of a write that grows the file's first section past what the limit allows,
    // made in a child whose files may grow only a few bytes beyond the old size.
    int32_t write_with_full_disk() {
        pid_t pid = fork();
        if (pid == 0) {
            std::signal(SIGXFSZ, SIG_IGN);
            rlimit limit{old_.size() + 16, old_.size() + 16};
            setrlimit(RLIMIT_FSIZE, &limit);
            std::string value(200, 'x');
            _exit(profile_write(file_, "S0", "key", &value) & 0xff);
        }
        int status = 0;
        waitpid(pid, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::string dir_, file_, old_;
};

TEST_F(ProfileWriteTest, FullDiskDuringCopyLeavesFileWhole) {
    EXPECT_EQ(write_with_full_disk(), 112);
    EXPECT_EQ(contents(file_), old_);
    DIR* d = opendir(dir_.c_str());
    int entries = 0;
    while (dirent* e = readdir(d)) entries += e->d_name[0] != '.' || e->d_name[1] > '.';
    closedir(d);
    EXPECT_EQ(entries, 1) << "the copy was left behind";
}

// A file with another hard link is rewritten in place: the full disk must stop it before any
// old byte is overwritten, and both names keep the old text.
TEST_F(ProfileWriteTest, FullDiskInPlaceLeavesFileWhole) {
    ASSERT_EQ(link(file_.c_str(), (dir_ + "/other.ini").c_str()), 0);
    EXPECT_EQ(write_with_full_disk(), 112);
    EXPECT_EQ(contents(file_), old_);
    std::string value = "short";
    EXPECT_EQ(profile_write(file_, "S0", "key", &value), 0);
    EXPECT_EQ(contents(dir_ + "/other.ini").substr(0, 15), "[S0]\nkey=short\n");
}

} // namespace
} // namespace vtx::platform
