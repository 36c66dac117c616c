#include <gtest/gtest.h>

#include "platform/posix/terminal/terminal_message.h"
#include "platform/text_rules.h"

namespace vtx {
namespace {

// Every control shows as `cat -v` shows it; tabs, line feeds and letters stay.
TEST(VisibleControls, LowControlsAndDelete) {
    for (HighBytes high : {HighBytes::utf8, HighBytes::c1, HighBytes::letters}) {
        EXPECT_EQ(visible_controls("a\x1b[2J\tb\nc\x7f\x01", high), "a^[[2J\tb\nc^?^A");
        EXPECT_EQ(visible_controls(std::string("x\0y", 3), high), "x^@y");
    }
}

TEST(VisibleControls, C1ControlsInTheLocalesForm) {
    // UTF-8: C2 80 to C2 9F are the controls; other sequences, and the bare bytes, are text.
    EXPECT_EQ(visible_controls("\xc2\x9b"
                               "31m \xc2\x80\xc2\x9f \xc2\xa0 \xc3\xa9",
                               HighBytes::utf8),
              "M-^[31m M-^@M-^_ \xc2\xa0 \xc3\xa9");
    EXPECT_EQ(visible_controls("\x9b\xc2", HighBytes::utf8), "\x9b\xc2");
    // An 8-bit locale: the bytes 0x80 to 0x9F themselves; 0xA0 up are letters.
    EXPECT_EQ(visible_controls("\x9b"
                               "31m \x80\x9f\xa0\xe9\xc2\x85",
                               HighBytes::c1),
              "M-^[31m M-^@M-^_\xa0\xe9\xc2M-^E");
    // A code page with letters there (the Windows console): unchanged.
    EXPECT_EQ(visible_controls("\x80\x9b\xc2\x9b", HighBytes::letters), "\x80\x9b\xc2\x9b");
}

TEST(VisibleControls, TerminalMessageKeepsItsLinesAndShowsTheRest) {
    EXPECT_EQ(platform::terminal_message_text("Hi",
                                              "a\r\nb\xc2\x9b"
                                              "c\x1b",
                                              HighBytes::utf8),
              "\r\n\aHi\r\na\r\nbM-^[c^[\r\nEOF\r\n");
    EXPECT_EQ(platform::terminal_message_text("Hi",
                                              "\x9d"
                                              "done\n",
                                              HighBytes::c1),
              "\r\n\aHi\r\nM-^]done\r\nEOF\r\n");
}

} // namespace
} // namespace vtx
