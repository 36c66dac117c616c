#include "screen/large_chars.h"

#include "screen/glyphs.h"

namespace vtx {

void draw_large_character(Surface& s, uint8_t c) {
    int32_t x = 0, y = 0;
    s.read_cursor(x, y);
    bool line_full = x == s.full_column && y == s.full_row;
    if (line_full && (c == '\r' || c == '\n')) s.set_cursor(s.width - 1, s.full_top);
    switch (c) {
    case '\r': return s.write_stdout("\r");
    case '\n': return s.write_stdout("\n\n\n\n\n\n\n\n");
    case '\t': return s.set_cursor(x + 64, y);
    default: break;
    }
    if (x >= s.width || line_full) return;
    const uint8_t* rows = glyph_rows(c);
    int32_t k = 0;
    for (int32_t r = 0; r < 8; ++r) {
        if (y + r == s.height) {
            // The glyph runs below the last row: scroll up one row and draw on that row.
            --y;
            s.write_stdout("\n");
        }
        for (k = 0; k < 8 && x + k < s.width; ++k) {
            s.set_cursor(x + k, y + r);
            s.write_cells((rows[r] & (0x80 >> k)) ? std::string_view(&kFullBlock, 1) : " ");
        }
    }
    s.set_cursor(x + k, y);
    s.full_column = s.full_row = -1;
    if (x + k >= s.width) {
        s.read_cursor(s.full_column, s.full_row);
        s.full_top = y;
    }
}

} // namespace vtx
