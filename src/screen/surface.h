// What drawing large characters and boxes needs from the console. The writer provides it
// for the real console; tests provide a screen model.
#pragma once

#include <cstdint>
#include <string_view>

namespace vtx {

class Surface {
  public:
    int16_t width = 80; // the screen size saved at start
    int16_t height = 25;
    // Where the last large character that reached the right edge left the cursor, and
    // that glyph's top row. From there the cursor counts as standing past the edge on the
    // top row: a further character is dropped, and a line end starts below the glyph.
    int32_t full_column = -1;
    int32_t full_row = -1;
    int32_t full_top = 0;

    virtual void read_cursor(int32_t& column, int32_t& row) = 0;
    // A position outside the screen is refused and the cursor stays.
    virtual void set_cursor(int32_t column, int32_t row) = 0;
    // Drawn cells (code page 437 bytes) at the cursor, which moves along; the last column
    // takes every byte written past it.
    virtual void write_cells(std::string_view cells) = 0;
    // Bytes to standard output, past any redirect: carriage return and line feed move the
    // cursor, a line feed on the last row scrolls the screen up.
    virtual void write_stdout(std::string_view bytes) = 0;

  protected:
    ~Surface() = default;
};

} // namespace vtx
