#include "platform/posix/errno_status.h"

#include <cerrno>
#include <gtest/gtest.h>

namespace vtx::platform {
namespace {

TEST(ErrnoStatus, MissingFileOrMissingFolder) {
    EXPECT_EQ(status_from_path_errno(ENOENT, "missing.txt"), 2);
    EXPECT_EQ(status_from_path_errno(ENOENT, "/tmp/missing.txt"), 2);
    EXPECT_EQ(status_from_path_errno(ENOENT, "/missing"), 2);
    EXPECT_EQ(status_from_path_errno(ENOENT, "/tmp/missing/"), 2);
    EXPECT_EQ(status_from_path_errno(ENOENT, "no_such_folder/x.txt"), 3);
    EXPECT_EQ(status_from_path_errno(ENOTDIR, "/etc/passwd/x"), 3);
    EXPECT_EQ(status_from_path_errno(EEXIST, "x"), 183);
    EXPECT_EQ(status_from_path_errno(ENOTEMPTY, "x"), 145);
    EXPECT_EQ(status_from_path_errno(EACCES, "x"), 5);
    EXPECT_EQ(status_from_path_errno(EPERM, "x"), 5);
    EXPECT_EQ(status_from_path_errno(ENAMETOOLONG, "x"), 206);
}

} // namespace
} // namespace vtx::platform
