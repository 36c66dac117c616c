#include "platform/shell.h"

#include "platform/status.h"

namespace vtx::platform {

// printers.cpp has the printer connections, progman_substitute.cpp the program groups and
// session.cpp the session's functions.

bool profile_printer_entry(const std::string&, std::string&) {
    return false;
}

void write_profile_default_printer(const std::string&) {}

void broadcast_setting_change(const char*) {}

void console_window_action(intptr_t, WindowAction) {}

} // namespace vtx::platform
