#include "console/keyboard.h"

#include "platform/console.h"
#include "platform/text_rules.h"

namespace vtx {

uint8_t read_key() {
    uint8_t byte = 0;
    platform::console_read_key(byte);
    return byte;
}

std::string read_line() {
    std::string line;
    // One more than the limit, so that a carriage return before the line feed of a full
    // line can still be taken off.
    if (platform::console_read_line(line, kMaxText + 1) != 0) line.clear();
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() > kMaxText) line.resize(kMaxText);
    return line;
}

void flush_keyboard() {
    platform::console_flush_input();
}

} // namespace vtx
