#include "platform/shell.h"

#include "platform/status.h"

namespace vtx::platform {

// No desktop or session manager to speak to (printers.cpp has the printer connections,
// progman_substitute.cpp the program groups).

bool profile_printer_entry(const std::string&, std::string&) {
    return false;
}

void write_profile_default_printer(const std::string&) {}

void broadcast_setting_change(const char*) {}

int32_t set_wallpaper(const std::string&) {
    return status::kNotSupported;
}

void console_window_action(intptr_t, WindowAction) {}

int32_t shutdown_computer(const std::string&, const std::string&, uint32_t, bool, bool) {
    return status::kNotSupported;
}

int32_t log_off(bool) {
    return status::kNotSupported;
}

} // namespace vtx::platform
