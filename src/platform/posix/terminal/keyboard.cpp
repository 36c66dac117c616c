#include <cerrno>
#include <termios.h>
#include <unistd.h>

#include "platform/console.h"
#include "platform/posix/desktop/dialog_program.h"
#include "platform/posix/errno_status.h"
#include "platform/posix/terminal/terminal.h"
#include "platform/status.h"

namespace vtx::platform {

namespace {

// Reads one byte: 0, 38 at the end of input, or the read's error.
int32_t read_byte(uint8_t& byte) {
    for (;;) {
        ssize_t n = ::read(STDIN_FILENO, &byte, 1);
        if (n == 1) return status::kSuccess;
        if (n == 0) return status::kHandleEof;
        if (errno != EINTR) return status_from_errno(errno);
    }
}

// Puts the input modes in place for one read and back afterwards, also when the process
// ends during the read. Nothing happens when standard input is not a terminal.
class InputModes {
  public:
    explicit InputModes(void (*adjust)(termios&)) {
        if (tcgetattr(STDIN_FILENO, &saved_) != 0) return;
        termios wanted = saved_;
        adjust(wanted);
        input_modes_changed(saved_);
        active_ = tcsetattr(STDIN_FILENO, TCSANOW, &wanted) == 0;
        if (!active_) input_modes_restored();
    }
    ~InputModes() {
        if (!active_) return;
        tcsetattr(STDIN_FILENO, TCSANOW, &saved_);
        input_modes_restored();
    }
    InputModes(const InputModes&) = delete;
    InputModes& operator=(const InputModes&) = delete;

  private:
    termios saved_{};
    bool active_ = false;
};

// One key: no line editing, no echo, Enter as carriage return; Ctrl+C stays a signal.
void raw_key(termios& t) {
    t.c_lflag &= ~tcflag_t(ICANON | ECHO);
    t.c_iflag &= ~tcflag_t(ICRNL);
    t.c_cc[VMIN] = 1;
    t.c_cc[VTIME] = 0;
}

// A line as the terminal edits it, echoed.
void cooked_line(termios& t) {
    t.c_lflag |= tcflag_t(ICANON | ECHO);
    t.c_iflag |= tcflag_t(ICRNL);
}

// With no input at all and a desktop to ask on, a dialog takes the line; cancelled, it
// is the end of input as before.
int32_t dialog_line(std::string& line) {
    return dialog_program_line(line) ? status::kSuccess : status::kHandleEof;
}

} // namespace

int32_t console_read_key(uint8_t& byte) {
    if (dialog_keys_wanted()) {
        std::string line;
        int32_t result = dialog_line(line);
        byte = result != status::kSuccess ? 0 : line.empty() ? 13 : uint8_t(line[0]);
        return result;
    }
    InputModes modes(raw_key);
    byte = 0;
    int32_t result = read_byte(byte);
    if (result != status::kSuccess) byte = 0;
    // A terminal in raw mode gives 13 for Enter; a pipe or file ends its lines with 10.
    if (byte == '\n' && !::isatty(STDIN_FILENO)) byte = 13;
    return result;
}

int32_t console_read_line(std::string& line, std::size_t limit) {
    if (dialog_keys_wanted()) {
        line.clear();
        int32_t result = dialog_line(line);
        if (line.size() > limit) line.resize(limit);
        return result;
    }
    InputModes modes(cooked_line);
    line.clear();
    // Byte by byte, so nothing after the line end is held back from a later key read.
    uint8_t byte = 0;
    bool any = false;
    for (;;) {
        int32_t result = read_byte(byte);
        if (result != status::kSuccess) return any ? status::kSuccess : result;
        any = true;
        if (byte == '\n') break;
        if (line.size() < limit) line.push_back(char(byte));
    }
    return status::kSuccess;
}

int32_t console_flush_input() {
    // Input that is no terminal has no typed-ahead keys to drop: 6, as for a handle that is no
    // console.
    return tcflush(STDIN_FILENO, TCIFLUSH) == 0 ? status::kSuccess : status::kInvalidHandle;
}

} // namespace vtx::platform
