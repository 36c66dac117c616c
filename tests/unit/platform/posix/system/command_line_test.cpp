#include "platform/posix/system/command_line.h"

#include <gtest/gtest.h>

namespace vtx {
namespace {

using Args = std::vector<std::string>;

TEST(CommandLine, ProgramName) {
    EXPECT_EQ(split_command_line(""), Args{""});
    EXPECT_EQ(split_command_line("prog"), Args{"prog"});
    // Backslashes in the name are plain, even before a quote; a quoted name ends at the quote.
    EXPECT_EQ(split_command_line("C:\\dir\\x.exe a"), (Args{"C:\\dir\\x.exe", "a"}));
    EXPECT_EQ(split_command_line("\"C:\\my dir\\x\" a"), (Args{"C:\\my dir\\x", "a"}));
    EXPECT_EQ(split_command_line("\"x\"y z"), (Args{"x", "y", "z"}));
    EXPECT_EQ(split_command_line("\"never closed"), Args{"never closed"});
    // A leading blank ends an empty name at once.
    EXPECT_EQ(split_command_line(" x"), (Args{"", "x"}));
}

TEST(CommandLine, BlanksAndQuotes) {
    EXPECT_EQ(split_command_line("p  a\tb   "), (Args{"p", "a", "b"}));
    EXPECT_EQ(split_command_line("p \"two words\" ab\"c d\"e"), (Args{"p", "two words", "abc de"}));
    EXPECT_EQ(split_command_line("p \"\""), (Args{"p", ""}));
    EXPECT_EQ(split_command_line("p \"x\"\"y\" z"), (Args{"p", "x\"y", "z"}));
    EXPECT_EQ(split_command_line("p 'single quoted'"), (Args{"p", "'single", "quoted'"}));
    EXPECT_EQ(split_command_line("p \"open  group"), (Args{"p", "open  group"}));
}

TEST(CommandLine, BackslashesCountOnlyBeforeAQuote) {
    EXPECT_EQ(split_command_line("p a\\\\b c\\"), (Args{"p", "a\\\\b", "c\\"}));
    EXPECT_EQ(split_command_line("p a\\\"b"), (Args{"p", "a\"b"}));         // 1: literal quote
    EXPECT_EQ(split_command_line("p a\\\\\"b c\""), (Args{"p", "a\\b c"})); // 2: one, groups
    EXPECT_EQ(split_command_line("p a\\\\\\\"b"), (Args{"p", "a\\\"b"}));   // 3: one and a quote
    EXPECT_EQ(split_command_line("p \"trail\\\\\" x"), (Args{"p", "trail\\", "x"}));
}

} // namespace
} // namespace vtx
