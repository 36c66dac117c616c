#include <gtest/gtest.h>

#include "platform/posix/terminal/terminal_dialog.h"

namespace vtx {
namespace {

TerminalDialog dialog(uint32_t style, std::string_view text = "Hello") {
    TerminalDialog d;
    EXPECT_TRUE(make_terminal_dialog(text, "Logon", style, 80, 24, false, d));
    return d;
}

TEST(TerminalDialog, StyleChoosesButtonsAndDefault) {
    EXPECT_EQ(dialog(0).buttons.size(), 1u);
    TerminalDialog yes_no_cancel = dialog(3 | 0x200); // third button as default
    ASSERT_EQ(yes_no_cancel.buttons.size(), 3u);
    EXPECT_EQ(dialog_key(yes_no_cancel, kKeyEnter), kButtonCancel);
    // A default beyond the buttons falls back to the first.
    TerminalDialog yes_no = dialog(4 | 0x300);
    EXPECT_EQ(dialog_key(yes_no, kKeyEnter), kButtonYes);
    TerminalDialog d;
    EXPECT_FALSE(make_terminal_dialog("x", "t", 7, 80, 24, false, d));
}

TEST(TerminalDialog, KeysChooseButtons) {
    TerminalDialog yes_no = dialog(4);
    EXPECT_EQ(dialog_key(yes_no, 'y'), kButtonYes);
    EXPECT_EQ(dialog_key(yes_no, 'N'), kButtonNo);
    EXPECT_EQ(dialog_key(yes_no, kKeyEscape), 0); // no Cancel: Esc does nothing
    EXPECT_EQ(dialog_key(yes_no, 'x'), 0);

    TerminalDialog ok = dialog(0);
    EXPECT_EQ(dialog_key(ok, kKeyEscape), kButtonOk);
    TerminalDialog retry = dialog(5);
    EXPECT_EQ(dialog_key(retry, kKeyEscape), kButtonCancel);
    TerminalDialog ari = dialog(2);
    EXPECT_EQ(dialog_key(ari, 'i'), kButtonIgnore);
    TerminalDialog try_again = dialog(6);
    EXPECT_EQ(dialog_key(try_again, 'c'), kButtonContinue);
    EXPECT_EQ(dialog_key(try_again, kKeyEscape), kButtonCancel);
}

TEST(TerminalDialog, ArrowsMoveTheFocusAround) {
    TerminalDialog d = dialog(1);
    EXPECT_EQ(dialog_key(d, kKeyRight), 0);
    EXPECT_EQ(dialog_key(d, kKeyEnter), kButtonCancel);
    dialog_key(d, kKeyRight); // wraps to OK
    EXPECT_EQ(dialog_key(d, kKeyEnter), kButtonOk);
    dialog_key(d, kKeyLeft); // wraps back to Cancel
    EXPECT_EQ(dialog_key(d, kKeyEnter), kButtonCancel);
}

TEST(TerminalDialog, TextIsWrappedCutAndStrippedOfControls) {
    TerminalDialog d;
    std::string long_word(200, 'w');
    ASSERT_TRUE(make_terminal_dialog("one two\r\nthree\x1b[2J\n" + long_word, "T\x1b", 0, 40, 24,
                                     false, d));
    ASSERT_EQ(d.lines.size(), 9u); // "one two", "three", then 200 w's in seven rows of 32
    EXPECT_EQ(d.lines[0], "one two");
    EXPECT_EQ(d.lines[1], "three [2J"); // Esc can no longer steer the terminal
    EXPECT_EQ(d.lines[2], std::string(32, 'w'));
    EXPECT_EQ(d.title, "T ");

    std::string many(100, '\n');
    ASSERT_TRUE(make_terminal_dialog(many, "", 0, 80, 20, false, d));
    EXPECT_EQ(d.lines.size(), 12u);
    EXPECT_EQ(d.lines.back(), "...");
}

TEST(TerminalDialog, Utf8CharactersAreNotSplit) {
    TerminalDialog d;
    std::string text;
    for (int i = 0; i < 15; ++i) text += "\xC3\xA9"; // é
    ASSERT_TRUE(make_terminal_dialog(text, "", 0, 18, 24, true, d));
    ASSERT_EQ(d.lines.size(), 2u);
    EXPECT_EQ(d.lines[0].size(), 20u); // ten characters, two bytes each
}

} // namespace
} // namespace vtx
