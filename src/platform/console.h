// The console: the process's standard output, and the terminal or console behind it.
#pragma once

#include <cstdint>
#include <string_view>

namespace vtx::platform {

// Writes bytes unchanged to standard output.
void console_write(std::string_view bytes);
// Sets the colour attribute (low nibble foreground, high nibble background). Does nothing
// when standard output is not a console or terminal.
void console_set_attribute(uint16_t attribute);

// Prepares the console once at start-up and reads its size (kept unchanged when there is
// no console or terminal).
void console_initialise(int16_t& width, int16_t& height);

// Break off: interrupt keys are swallowed. Break on: the platform's default handling.
void break_off();
void break_on();

} // namespace vtx::platform
