#include "platform/posix/network/mount_status.h"

#include <gtest/gtest.h>

#include "platform/posix/limited_child.h"

namespace vtx::platform {
namespace {

TEST(MountStatus, GioErrorsReadAsWindowsStatuses) {
    EXPECT_EQ(mount_error_status(true, gio_error::kNotFound, ""), 67);
    EXPECT_EQ(mount_error_status(true, gio_error::kFailedHandled, "Password dialog cancelled"),
              1326);
    EXPECT_EQ(mount_error_status(true, gio_error::kPermissionDenied, ""), 5);
    for (int code : {gio_error::kCancelled, gio_error::kTimedOut, gio_error::kHostNotFound,
                     gio_error::kHostUnreachable, gio_error::kConnectionRefused})
        EXPECT_EQ(mount_error_status(true, code, ""), 53) << code;
    EXPECT_EQ(mount_error_status(true, gio_error::kNotSupported, ""), 1222);
    EXPECT_EQ(mount_error_status(false, 2, "The name org.gtk.vfs.Daemon was not provided"), 1222);
}

TEST(MountStatus, TheSmbBackendsFailedMessagesAreRead) {
    using gio_error::kFailed;
    EXPECT_EQ(mount_error_status(true, kFailed,
                                 "Failed to mount Windows share: Connection "
                                 "refused"),
              53);
    EXPECT_EQ(mount_error_status(true, kFailed,
                                 "Failed to mount Windows share: No such file or directory"),
              67);
    EXPECT_EQ(mount_error_status(true, kFailed,
                                 "Failed to mount Windows share: Permission "
                                 "denied"),
              1326);
    EXPECT_EQ(mount_error_status(true, kFailed, "something new"), 53);
}

TEST(LimitedChild, AnswersAndHangsAreToldApart) {
    std::string reply;
    EXPECT_TRUE(run_limited([] { return std::string("0\n/x"); }, 5, reply));
    EXPECT_EQ(reply, "0\n/x");
    // A child that never answers is killed at the deadline; the caller goes on.
    EXPECT_FALSE(run_limited(
        [] {
            for (;;) pause();
            return std::string();
        },
        1, reply));
    EXPECT_EQ(reply, "");
}

TEST(LimitedChild, StatusRepliesCarryTheirText) {
    std::string text;
    EXPECT_EQ(run_limited_status([] { return status_reply(-1722, "a\nb"); }, 5, 53, text), -1722);
    EXPECT_EQ(text, "a\nb");
    // A child that ends without a status line counts as one that never answered.
    text = "kept";
    EXPECT_EQ(run_limited_status([] { return std::string("7"); }, 5, 53, text), 53);
    EXPECT_EQ(text, "kept");
}

} // namespace
} // namespace vtx::platform
