#include <gtest/gtest.h>

#include "registry/value_text.h"

namespace vtx {
namespace {

std::string bytes(std::initializer_list<int> b) {
    std::string s;
    for (int c : b) s += char(c);
    return s;
}

std::string stored(uint32_t type, std::string_view text) {
    std::string data;
    EXPECT_TRUE(text_to_value(type, text, data)) << text;
    return data;
}

TEST(ValueText, TypeNames) {
    uint32_t code = 99;
    EXPECT_TRUE(registry_type_code("reg_dword_little_endian", code));
    EXPECT_EQ(code, 4u);
    EXPECT_TRUE(registry_type_code("REG_FULL_RESOURCE_DESCRIPTOR", code));
    EXPECT_EQ(code, 9u);
    EXPECT_FALSE(registry_type_code("DWORD", code));
    EXPECT_FALSE(registry_type_code("REG_QWORD", code));
    EXPECT_STREQ(registry_type_name(4), "REG_DWORD");
    EXPECT_STREQ(registry_type_name(5), "REG_DWORD_BIG_ENDIAN");
    EXPECT_STREQ(registry_type_name(11), "REG_NONE");
}

TEST(ValueText, Dword) {
    EXPECT_EQ(stored(4, "-1"), bytes({0xff, 0xff, 0xff, 0xff}));
    EXPECT_EQ(stored(4, "12abc"), bytes({12, 0, 0, 0}));
    EXPECT_EQ(stored(4, "abc"), bytes({0, 0, 0, 0}));
    // Big-endian values keep the same byte order, so they read back unchanged.
    EXPECT_EQ(stored(5, "258"), bytes({2, 1, 0, 0}));
    EXPECT_EQ(value_to_text(5, bytes({2, 1, 0, 0})), "258");
    EXPECT_EQ(value_to_text(4, bytes({0xff, 0xff, 0xff, 0xff})), "-1");
    EXPECT_EQ(value_to_text(4, bytes({0, 0, 0, 0x80, 0x55})), "-2147483648");
    // Short data: the missing high bytes count as zero.
    EXPECT_EQ(value_to_text(4, bytes({0x34, 0x12})), "4660");
}

TEST(ValueText, HexForms) {
    EXPECT_EQ(stored(3, "01AB"), bytes({0x01, 0xab}));
    EXPECT_EQ(stored(3, "0A1b3"), bytes({0x0a, 0x1b, 0x30}));
    EXPECT_EQ(stored(3, ""), "");
    EXPECT_EQ(stored(8, "zz1"), bytes({0x00, 0x10})); // non-digits count as 0
    EXPECT_EQ(value_to_text(3, bytes({0x01, 0xab})), "01ab");
    EXPECT_EQ(value_to_text(6, bytes({0xff, 0x00})), "ff00");
    EXPECT_EQ(value_to_text(8, bytes({0x7f})), "7f");
}

TEST(ValueText, MultiString) {
    EXPECT_EQ(stored(7, "one|two|"), std::string("one\0two\0\0", 9));
    EXPECT_EQ(stored(7, "a|b||"), std::string("a\0b|\0", 5));
    EXPECT_EQ(stored(7, "one|two"), std::string("one\0two\0", 8));
    EXPECT_EQ(stored(7, ""), std::string("\0", 1));
    EXPECT_EQ(value_to_text(7, std::string("one\0two\0\0", 9)), "one|two|");
    EXPECT_EQ(value_to_text(7, std::string("a|b\0\0", 5)), "a||b|");
    for (const char* text : {"one|two|", "a||b|c|", "x||y|"})
        EXPECT_EQ(value_to_text(7, stored(7, text)), text);
}

TEST(ValueText, Strings) {
    EXPECT_EQ(stored(1, "abc"), std::string("abc\0", 4));
    EXPECT_EQ(stored(2, "%PATH%"), std::string("%PATH%\0", 7));
    EXPECT_EQ(stored(9, ""), std::string("\0", 1));
    EXPECT_EQ(value_to_text(2, std::string("%PATH%\0", 7)), "%PATH%");
    EXPECT_EQ(value_to_text(1, std::string("ab\0cd", 5)), "ab");
    EXPECT_EQ(value_to_text(1, "no zero"), "no zero");
    EXPECT_EQ(value_to_text(42, std::string("odd\0", 4)), "odd"); // unknown types as text
}

TEST(ValueText, NoneAndUnknownCodes) {
    EXPECT_EQ(stored(0, "ignored"), "");
    EXPECT_EQ(value_to_text(0, "data"), "");
    std::string data = "x";
    EXPECT_FALSE(text_to_value(10, "text", data));
    EXPECT_EQ(data, "");
}

} // namespace
} // namespace vtx
