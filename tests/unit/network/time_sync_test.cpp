#include <gtest/gtest.h>

#include <string>

#include "network/time_sync.h"

namespace vtx {
namespace {

TEST(TimeSync, ServerNameGainsBackslashesOnce) {
    std::string s;
    ASSERT_TRUE(time_server_name("srv", s));
    EXPECT_EQ(s, "\\\\srv");
    ASSERT_TRUE(time_server_name("\\\\srv", s));
    EXPECT_EQ(s, "\\\\srv");
}

TEST(TimeSync, OverlongServerNameIsRefusedNotCut) {
    std::string s = "unchanged";
    std::string name27(27, 'n');
    EXPECT_TRUE(time_server_name(name27, s));
    EXPECT_TRUE(time_server_name("\\\\" + name27, s));
    s = "unchanged";
    EXPECT_FALSE(time_server_name(name27 + "x", s));
    EXPECT_FALSE(time_server_name("\\\\" + name27 + "x", s));
    EXPECT_EQ(s, "unchanged");
}

TEST(TimeSync, HelperRecordIsReadAtItsOffsets) {
    platform::HelperTimeBuffer b{};
    b.fill(0xEE); // anything outside the fields must not matter
    b[8] = 23;
    b[9] = 59;
    b[10] = 58;
    b[16] = 31;
    b[17] = 12;
    b[18] = 0xCF; // 1999, little-endian
    b[19] = 0x07;
    platform::ClockTime t = helper_time_record(b);
    EXPECT_EQ(t.hour, 23);
    EXPECT_EQ(t.minute, 59);
    EXPECT_EQ(t.second, 58);
    EXPECT_EQ(t.day, 31);
    EXPECT_EQ(t.month, 12);
    EXPECT_EQ(t.year, 1999);
}

} // namespace
} // namespace vtx
