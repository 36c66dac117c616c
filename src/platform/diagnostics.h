// Standard error: the trace, the located error line and the checker's findings. Nothing the
// script writes goes here, so standard output stays exactly what the script produced.
#pragma once

#include <string_view>

#include "platform/text_rules.h"

namespace vtx::platform {

// The POSIX build follows the conventions of its platform (--help, --version, exit status
// 255 for values that do not fit, a diagnostic line on standard error); the Windows build
// keeps the command line and the silence it has always had.
#ifdef _WIN32
inline constexpr bool kPosixConventions = false;
#else
inline constexpr bool kPosixConventions = true;
#endif

// Writes bytes unchanged to standard error; errors are ignored.
void error_write(std::string_view bytes);

// True when standard error does not reach the terminal that standard output writes to
// (either is redirected, piped or another terminal), so a line written there would not
// appear twice on one screen. Windows: always true.
bool error_stream_separate();

// How the terminals this program writes to take the bytes 0x80 to 0x9F: on POSIX as the
// locale's character set says (UTF-8 or not); the Windows console shows letters there.
HighBytes terminal_high_bytes();

// Tells the user of the script error that ended a run no terminal shows (a desktop's
// autostart): POSIX sends one desktop notification with `location` (FILE:LINE) and
// `message` when none of the standard streams is a terminal; Windows does nothing, its
// console window shows the report.
void report_error_to_desktop(std::string_view location, std::string_view message);

} // namespace vtx::platform
