#include "platform/key_watch.h"

#include <cerrno>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include "platform/posix/terminal/terminal.h"

namespace vtx::platform {

struct KeyWatch::State {
    termios saved{};
};

KeyWatch::KeyWatch() {
    termios mode{};
    if (!::isatty(STDIN_FILENO) || ::tcgetattr(STDIN_FILENO, &mode) != 0) return;
    state_ = std::make_unique<State>();
    state_->saved = mode;
    // Keys one at a time and unechoed; signals stay, so the break key keeps its meaning.
    mode.c_lflag &= ~tcflag_t(ICANON | ECHO);
    mode.c_iflag &= ~tcflag_t(ICRNL);
    mode.c_cc[VMIN] = 1;
    mode.c_cc[VTIME] = 0;
    // A signal that ends the program during the tune puts the modes back as after GET.
    input_modes_changed(state_->saved);
    ::tcsetattr(STDIN_FILENO, TCSANOW, &mode);
}

KeyWatch::~KeyWatch() {
    if (!state_) return;
    ::tcsetattr(STDIN_FILENO, TCSANOW, &state_->saved);
    input_modes_restored();
}

bool KeyWatch::key_waiting() {
    if (!state_) return false;
    pollfd p{STDIN_FILENO, POLLIN, 0};
    return ::poll(&p, 1, 0) == 1 && (p.revents & POLLIN);
}

int KeyWatch::read_key() {
    unsigned char byte = 0;
    ssize_t n;
    while ((n = ::read(STDIN_FILENO, &byte, 1)) < 0 && errno == EINTR) {
    }
    return n == 1 ? byte : -1;
}

} // namespace vtx::platform
