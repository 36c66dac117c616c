#include "platform/diagnostics.h"

#include <sys/stat.h>
#include <unistd.h>

#include "platform/posix/descriptor_io.h"
#include "platform/posix/desktop/desktop_notification.h"
#include "platform/posix/terminal/terminal.h"

namespace vtx::platform {

void error_write(std::string_view bytes) {
    write_all(STDERR_FILENO, bytes);
}

bool error_stream_separate() {
    if (!::isatty(STDOUT_FILENO) || !::isatty(STDERR_FILENO)) return true;
    struct stat out {
    }, err{};
    if (::fstat(STDOUT_FILENO, &out) != 0 || ::fstat(STDERR_FILENO, &err) != 0) return true;
    return out.st_rdev != err.st_rdev;
}

HighBytes terminal_high_bytes() {
    return terminal_is_utf8() ? HighBytes::utf8 : HighBytes::c1;
}

void report_error_to_desktop(std::string_view location, std::string_view message) {
    // With any terminal the report is read there; a run from the desktop's autostart has none.
    if (::isatty(STDIN_FILENO) || ::isatty(STDOUT_FILENO) || ::isatty(STDERR_FILENO)) return;
    notify_desktop("Script error", std::string(location) + ": " + std::string(message));
}

} // namespace vtx::platform
