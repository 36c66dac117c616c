#include "platform/shell.h"

#include "platform/status.h"

namespace vtx::platform {

// No program-group server or printer spooler to speak to. The session's functions live in
// session.cpp.

struct ProgmanConversation::State {};

ProgmanConversation::ProgmanConversation() = default;
ProgmanConversation::~ProgmanConversation() = default;

int32_t ProgmanConversation::open() {
    return 2;
}

bool ProgmanConversation::execute(const std::string&) {
    return false;
}

int32_t add_printer_connection(const std::string&) {
    return status::kNotSupported;
}

int32_t delete_printer_connection(const std::string&) {
    return status::kNotSupported;
}

bool profile_printer_entry(const std::string&, std::string&) {
    return false;
}

void write_profile_default_printer(const std::string&) {}

void broadcast_setting_change(const char*) {}

void console_window_action(intptr_t, WindowAction) {}

} // namespace vtx::platform
