#include "platform/diagnostics.h"

#include <windows.h>

namespace vtx::platform {

void error_write(std::string_view bytes) {
    HANDLE h = GetStdHandle(STD_ERROR_HANDLE);
    if (h == INVALID_HANDLE_VALUE || h == nullptr) return;
    while (!bytes.empty()) {
        DWORD written = 0;
        if (!WriteFile(h, bytes.data(), DWORD(bytes.size()), &written, nullptr) || written == 0)
            return;
        bytes.remove_prefix(written);
    }
}

bool error_stream_separate() {
    return true;
}

HighBytes terminal_high_bytes() {
    return HighBytes::letters;
}

void report_error_to_desktop(std::string_view, std::string_view) {}

} // namespace vtx::platform
