// Large characters: each character drawn as 8 x 8 cells of full blocks and blanks.
#pragma once

#include <cstdint>

#include "screen/surface.h"

namespace vtx {

// The full block of code page 437, the set cell of a large character.
inline constexpr char kFullBlock = char(0xDB);

// Draws `c` with its top-left cell at the cursor and leaves the cursor on the glyph's top
// row, just right of it. Carriage return and line feed move to the start of the next large
// line (8 rows down); tab moves 8 large cells right.
void draw_large_character(Surface& screen, uint8_t c);

} // namespace vtx
