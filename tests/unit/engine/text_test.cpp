#include "engine/text.h"

#include <gtest/gtest.h>

#include "engine/script_error.h"

namespace vtx {
namespace {

TEST(TextToInt, LeadingDigitsWithOneSignAndWrap) {
    EXPECT_EQ(text_to_int("12AB"), 12);
    EXPECT_EQ(text_to_int("4.0"), 4);
    EXPECT_EQ(text_to_int("abc"), 0);
    EXPECT_EQ(text_to_int(""), 0);
    EXPECT_EQ(text_to_int("  -7x"), -7);
    EXPECT_EQ(text_to_int("+8"), 8);
    EXPECT_EQ(text_to_int("--1"), 0);
    EXPECT_EQ(text_to_int("- 1"), 0);
    EXPECT_EQ(text_to_int("1 2"), 1);
    EXPECT_EQ(text_to_int("2147483648"), INT32_MIN);
    EXPECT_EQ(text_to_int("4294967297"), 1);
    EXPECT_EQ(text_to_int("-2147483648"), INT32_MIN);
}

TEST(FormatInt, ExtremesRoundTrip) {
    for (int32_t v : {0, 1, -1, 42, INT32_MAX, INT32_MIN}) EXPECT_EQ(text_to_int(format_int(v)), v);
    EXPECT_EQ(format_int(INT32_MIN), "-2147483648");
}

TEST(CaseBlind, OnlyAToZFold) {
    EXPECT_TRUE(equal_nocase("Smith", "SMITH"));
    EXPECT_FALSE(equal_nocase("\xe9", "\xc9")); // accented letters are not folded
    EXPECT_FALSE(equal_nocase("a", "ab"));
    EXPECT_LT(compare_nocase("a", "B"), 0);
    EXPECT_LT(compare_nocase("_", "A"), 0); // folded to lower case, so '_' (0x5F) < 'a'
}

TEST(Bounded, LimitsAreScriptError9) {
    std::string s;
    EXPECT_NO_THROW(bounded_copy(s, std::string(31999, 'a')));
    EXPECT_THROW(bounded_copy(s, std::string(32000, 'a')), ScriptError);
    s.assign(31997, 'a');
    EXPECT_NO_THROW(bounded_append(s, "b")); // 31998 + 1 <= 31999
    EXPECT_THROW(bounded_append(s, "c"), ScriptError);
    s.clear();
    EXPECT_NO_THROW(bounded_append_n(s, "abcdef", 3));
    EXPECT_EQ(s, "abc");
}

} // namespace
} // namespace vtx
