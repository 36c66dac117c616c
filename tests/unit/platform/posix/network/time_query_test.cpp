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

// A NEGOTIATE response: header, then the response with its system time at offset 40.
std::string negotiate_response(uint64_t filetime, std::size_t size = 64 + 65) {
    std::string r(size, '\0');
    r.replace(0, 4, "\xFESMB");
    r[64] = 65;
    for (int i = 0; i < 8 && 64 + 40 + i < int(size); ++i)
        r[64 + 40 + i] = char(filetime >> (8 * i));
    return r;
}

TEST(TimeQuery, Smb2NegotiateGivesTheServersTime) {
    std::time_t utc = 0;
    EXPECT_TRUE(smb2_negotiate_time(negotiate_response(133800000000000000ull), utc));
    EXPECT_EQ(utc, 1735526400);
    // Just long enough for the time, and one byte short of it.
    EXPECT_TRUE(smb2_negotiate_time(negotiate_response(133800000000000000ull, 112), utc));
    EXPECT_FALSE(smb2_negotiate_time(negotiate_response(133800000000000000ull, 111), utc));
    std::string refused = negotiate_response(0);
    refused[8] = char(0x22); // a status other than success
    EXPECT_FALSE(smb2_negotiate_time(refused, utc));
    EXPECT_FALSE(smb2_negotiate_time(std::string(200, 'x'), utc));
}

} // namespace
} // namespace vtx::platform
