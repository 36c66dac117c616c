#include <gtest/gtest.h>

#include "platform/posix/desktop/desktop_notification.h"

namespace vtx::platform {
namespace {

TEST(NotificationText, LineEndsBecomeLineFeeds) {
    EXPECT_EQ(notification_text("one\r\ntwo\rthree\nfour\tfive", false),
              "one\ntwo\nthree\nfour\tfive");
    // A title has one line, and no markup even where the body has it.
    EXPECT_EQ(notification_title("a\r\nb\rc <d>"), "a b c <d>");
}

TEST(NotificationText, ControlCharactersShowAsTheirSymbols) {
    // Escape, bell and delete would steer or be dropped; NUL-free C0 bytes all map.
    EXPECT_EQ(notification_text("a\x1b[2Jb\x07\x7f", false),
              "a\xE2\x90\x9B[2Jb\xE2\x90\x87\xE2\x90\xA1");
}

TEST(NotificationText, MarkupIsEscapedOnlyWhereTheServerReadsIt) {
    EXPECT_EQ(notification_text("<b>x</b> & y", true), "&lt;b&gt;x&lt;/b&gt; &amp; y");
    EXPECT_EQ(notification_text("<b>x</b> & y", false), "<b>x</b> & y");
}

TEST(NotificationText, Latin1BytesBecomeUtf8AndUtf8Stays) {
    EXPECT_EQ(notification_text("caf\xE9", false), "caf\xC3\xA9");
    EXPECT_EQ(notification_text("caf\xC3\xA9", false), "caf\xC3\xA9");
}

} // namespace
} // namespace vtx::platform
