// Keyboard input for GET, GETS and FLUSHKB, and for whatever must swallow a key.
#pragma once

#include <cstdint>
#include <string>

namespace vtx {

// One key without echo; Enter gives 13. 0 for a special key, and when nothing could be
// read (end of input).
uint8_t read_key();
// One line with echo, without its line end (LF or CR LF), at most 31999 characters (the
// rest of a longer line is dropped). Empty at the end of input.
std::string read_line();
// Drops keys typed ahead.
void flush_keyboard();

} // namespace vtx
