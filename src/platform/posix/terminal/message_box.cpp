#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include "platform/posix/descriptor_io.h"
#include "platform/posix/desktop/desktop_notification.h"
#include "platform/posix/desktop/dialog_program.h"
#include "platform/posix/terminal/terminal.h"
#include "platform/posix/terminal/terminal_dialog.h"
#include "platform/shell.h"

namespace vtx::platform {

namespace {

// How long the rest of an arrow key's sequence may take to follow its Esc.
constexpr int kSequenceGapMs = 30;

// One byte within `timeout_ms` (-1: no limit): the byte, -1 when the time passed, -2 when
// the terminal is gone.
int read_byte(int timeout_ms) {
    pollfd p{STDIN_FILENO, POLLIN, 0};
    int ready = ::poll(&p, 1, timeout_ms);
    if (ready < 0) return errno == EINTR ? -1 : -2;
    if (ready == 0) return -1;
    unsigned char c = 0;
    ssize_t n = ::read(STDIN_FILENO, &c, 1);
    if (n == 1) return c;
    return (n < 0 && errno == EINTR) ? -1 : -2;
}

// Turns Esc [ C and Esc [ D (and their Esc O forms) into arrow keys; a lone Esc stays Esc.
int read_key(int timeout_ms) {
    int c = read_byte(timeout_ms);
    if (c != kKeyEscape) return c;
    int next = read_byte(kSequenceGapMs);
    if (next != '[' && next != 'O') return kKeyEscape;
    int final_byte = read_byte(kSequenceGapMs);
    while (final_byte >= 0x20 && final_byte < 0x40) final_byte = read_byte(kSequenceGapMs);
    if (final_byte == 'C') return kKeyRight;
    if (final_byte == 'D') return kKeyLeft;
    return 0; // another special key: ignored
}

} // namespace

int32_t message_box(intptr_t, const std::string& text, const std::string& title, uint32_t style,
                    uint32_t timeout_seconds) {
    bool input_terminal = ::isatty(STDIN_FILENO), output_terminal = ::isatty(STDOUT_FILENO);
    if (!input_terminal && !output_terminal) {
        // No terminal at all (a desktop's autostart): the desktop shows the box.
        int32_t answer = 0;
        if (!notification_box(text, title, style, timeout_seconds, answer))
            dialog_program_box(text, title, style, timeout_seconds, answer);
        return answer;
    }
    termios saved{};
    // Half a terminal can show the box or take its answer, not both: 0, a box not made.
    if (!input_terminal || !output_terminal || ::tcgetattr(STDIN_FILENO, &saved) != 0) return 0;
    winsize size{};
    int width = 80, height = 24;
    if (::ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col && size.ws_row) {
        width = size.ws_col;
        height = size.ws_row;
    }
    TerminalDialog dialog;
    if (!make_terminal_dialog(text, title, style, width, height, terminal_is_utf8(), dialog))
        return 0;

    // Keys one at a time, unechoed; Ctrl+C is a key here, so the box always closes cleanly.
    termios raw = saved;
    raw.c_lflag &= ~tcflag_t(ICANON | ECHO | ISIG);
    // IXON off: Ctrl+S is a key, and cannot freeze the box's screen.
    raw.c_iflag &= ~tcflag_t(ICRNL | IXON);
    raw.c_cc[VMIN] = 1;
    raw.c_cc[VTIME] = 0;
    input_modes_changed(saved);
    ::tcsetattr(STDIN_FILENO, TCSANOW, &raw);
    // The alternate screen keeps the script's own screen untouched underneath.
    dialog_screen_enter();
    write_all(STDOUT_FILENO, draw_dialog(dialog, width, height));

    using clock = std::chrono::steady_clock;
    auto deadline = clock::now() + std::chrono::seconds(timeout_seconds);
    int32_t result = 0;
    for (;;) {
        int wait = -1;
        if (timeout_seconds) {
            auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - clock::now());
            if (left.count() <= 0) {
                result = -1;
                break;
            }
            wait = int(std::min<long long>(left.count(), 1 << 30));
        }
        int key = read_key(wait);
        if (key == -2) break; // the terminal went away: the box could not be answered
        if (key == 3) key = kKeyEscape;
        if (key < 0) continue;
        if ((result = dialog_key(dialog, key)) != 0) break;
        write_all(STDOUT_FILENO, draw_dialog(dialog, width, height));
    }

    dialog_screen_leave();
    ::tcsetattr(STDIN_FILENO, TCSANOW, &saved);
    input_modes_restored();
    return result;
}

} // namespace vtx::platform
