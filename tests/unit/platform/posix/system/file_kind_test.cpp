// The one check on what kind of file a name holds, on real files, folders, FIFOs and devices.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/files.h"
#include "platform/posix/system/file_kind.h"

namespace vtx::platform {
namespace {

class FileKindTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char tmpl[] = "/tmp/vtx32-kind-XXXXXX";
        ASSERT_NE(mkdtemp(tmpl), nullptr);
        dir_ = tmpl;
        std::ofstream(dir_ + "/file") << "text";
        ASSERT_EQ(mkfifo((dir_ + "/fifo").c_str(), 0600), 0);
    }
    void TearDown() override {
        std::string cmd = "rm -rf '" + dir_ + "'";
        ASSERT_EQ(std::system(cmd.c_str()), 0);
    }
    std::string dir_;
};

TEST_F(FileKindTest, KindsOfNames) {
    EXPECT_EQ(file_kind(dir_ + "/file"), FileKind::regular);
    EXPECT_EQ(file_kind(dir_), FileKind::folder);
    EXPECT_EQ(file_kind(dir_ + "/fifo"), FileKind::other);
    EXPECT_EQ(file_kind("/dev/null"), FileKind::other);
    EXPECT_EQ(file_kind(dir_ + "/none"), FileKind::missing);
}

TEST_F(FileKindTest, OnlyRegularFilesAndAllowedDevicesOpen) {
    int fd = open_checked(dir_ + "/file", O_RDONLY, 0, false);
    ASSERT_GE(fd, 0);
    EXPECT_EQ(fcntl(fd, F_GETFL) & O_NONBLOCK, 0); // blocking again for the reader
    close(fd);
    // Neither end of a FIFO without a partner may wait: refused at once.
    EXPECT_EQ(open_checked(dir_ + "/fifo", O_RDONLY, 0, true), -EACCES);
    EXPECT_EQ(open_checked(dir_ + "/fifo", O_WRONLY, 0, true), -EACCES);
    EXPECT_EQ(open_checked(dir_, O_RDONLY, 0, true), -EACCES);
    EXPECT_EQ(open_checked("/dev/null", O_WRONLY, 0, false), -EACCES);
    fd = open_checked("/dev/null", O_WRONLY, 0, true);
    EXPECT_GE(fd, 0);
    close(fd);
    EXPECT_EQ(open_checked(dir_ + "/none", O_RDONLY, 0, true), -ENOENT);
}

} // namespace
} // namespace vtx::platform
