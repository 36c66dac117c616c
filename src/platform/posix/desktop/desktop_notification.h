// Messages and message boxes shown on this user's desktop by its notification server
// (org.freedesktop.Notifications on the session bus).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vtx::platform {

// A notification that goes away by itself: 0; 126 without libsystemd; 1062 when there is
// no session bus or no notification server; another status when it refuses.
int32_t notify_desktop(const std::string& summary, const std::string& body);

// The message box as a notification that stays until answered, with the box's buttons as
// actions: true with `answer` (the button's code; -1 when `timeout_seconds`, 0 for none,
// passed first, and the notification is closed; the Esc answer when it was dismissed)
// when a server with actions took it; false when there is none (nothing was shown).
bool notification_box(const std::string& text, const std::string& title, uint32_t style,
                      uint32_t timeout_seconds, int32_t& answer);

// Text as a notification shows it as written: UTF-8, CR LF or a lone CR as a line break,
// other control characters as their visible symbols, and, where the server reads markup,
// the characters markup reserves as entities.
std::string notification_text(std::string_view text, bool markup);

// A title as notification_text shows it without markup, its line breaks as blanks.
std::string notification_title(std::string_view text);

} // namespace vtx::platform
