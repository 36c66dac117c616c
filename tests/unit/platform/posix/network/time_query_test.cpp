#include <gtest/gtest.h>

#include "platform/posix/network/time_query.h"

namespace vtx::platform {
namespace {

TEST(TimeQuery, NtpSecondsCountFrom1900AndWrapIn2036) {
    EXPECT_EQ(unix_from_ntp_seconds(2208988800u), 0);
    EXPECT_EQ(unix_from_ntp_seconds(3976000000u), 1767011200); // 2025-12-29
    // Era 1 begins on 7 February 2036 at 06:28:16 UTC.
    EXPECT_EQ(unix_from_ntp_seconds(0xFFFFFFFFu), 2085978495);
    EXPECT_EQ(unix_from_ntp_seconds(0), 2085978496);
    EXPECT_EQ(unix_from_ntp_seconds(1000), 2085979496);
}

TEST(TimeQuery, FiletimeDropsTheFraction) {
    EXPECT_EQ(unix_from_filetime(116444736000000000ull), 0);
    EXPECT_EQ(unix_from_filetime(116444736000000000ull + 9'999'999), 0);
    EXPECT_EQ(unix_from_filetime(133800000000000000ull), 1735526400);
}

} // namespace
} // namespace vtx::platform
