// Code page 437 as Unicode, for showing drawn cells on a UTF-8 terminal.
#pragma once

#include <cstdint>
#include <string>

namespace vtx::platform {

// Appends the UTF-8 form of code page 437 byte `c` (0 shows as a blank).
void append_cp437_utf8(std::string& out, uint8_t c);

} // namespace vtx::platform
