// The glyph table of large characters.
#pragma once

#include <cstdint>

namespace vtx {

// The 8 rows of the glyph for `code`, top to bottom; bit 7 of a row is its leftmost column.
const uint8_t* glyph_rows(uint8_t code);

} // namespace vtx
