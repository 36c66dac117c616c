// A console screen in memory: cells, a cursor that refuses moves off the screen, no
// wrapping at the right edge, scrolling on a line feed in the last row.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "screen/surface.h"

namespace vtx::test {

class ScreenModel final : public Surface {
  public:
    ScreenModel(int w, int h) : rows(std::size_t(h), std::string(std::size_t(w), '.')) {
        width = int16_t(w);
        height = int16_t(h);
    }

    std::vector<std::string> rows; // '.' is a cell never written
    int32_t x = 0, y = 0;
    int scrolls = 0;

    void read_cursor(int32_t& column, int32_t& row) override {
        column = x;
        row = y;
    }
    void set_cursor(int32_t column, int32_t row) override {
        if (column < 0 || row < 0 || column >= width || row >= height) return;
        x = column;
        y = row;
    }
    void write_cells(std::string_view cells) override {
        for (char c : cells) {
            rows[std::size_t(y)][std::size_t(x)] = c == char(0xDB) ? '#' : c;
            if (x < width - 1) ++x;
        }
    }
    void write_stdout(std::string_view bytes) override {
        for (char c : bytes) {
            if (c == '\r') x = 0;
            if (c != '\n') continue;
            x = 0;
            if (y < height - 1) {
                ++y;
            } else {
                rows.erase(rows.begin());
                rows.emplace_back(std::size_t(width), '.');
                ++scrolls;
            }
        }
    }
};

} // namespace vtx::test
