#include "platform/console.h"

#include <cerrno>
#include <csignal>
#include <unistd.h>

namespace vtx::platform {

void console_write(std::string_view bytes) {
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        ssize_t n = ::write(STDOUT_FILENO, p, left);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return; // write errors are ignored, as on the console
        }
        p += n;
        left -= std::size_t(n);
    }
}

void console_set_attribute(uint16_t) {}

void console_initialise(int16_t&, int16_t&) {}

void break_off() {
    std::signal(SIGINT, SIG_IGN);
    std::signal(SIGQUIT, SIG_IGN);
}

void break_on() {
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGQUIT, SIG_DFL);
}

} // namespace vtx::platform
