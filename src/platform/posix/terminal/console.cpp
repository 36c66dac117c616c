#include "platform/console.h"

#include <algorithm>
#include <cerrno>
#include <sys/ioctl.h>
#include <unistd.h>

#include "platform/posix/descriptor_io.h"
#include "platform/posix/terminal/cp437.h"
#include "platform/posix/terminal/terminal.h"
#include "platform/status.h"

namespace vtx::platform {

namespace {

void append_number(std::string& out, int v) {
    char digits[12];
    int n = 0;
    do {
        digits[n++] = char('0' + v % 10);
        v /= 10;
    } while (v > 0);
    while (n > 0) out.push_back(digits[--n]);
}

// Cursor Position: rows and columns count from 1 on the terminal.
void append_cup(std::string& out, int column, int row) {
    out += "\x1b[";
    append_number(out, row + 1);
    out.push_back(';');
    append_number(out, column + 1);
    out.push_back('H');
}

// The attribute's colour bits are blue, green, red from the lowest; ANSI's are red, green,
// blue.
int ansi_colour(int nibble) {
    return ((nibble & 1) << 2) | (nibble & 2) | ((nibble & 4) >> 2);
}

} // namespace

void console_write(std::string_view bytes) {
    write_all(STDOUT_FILENO, bytes); // write errors are ignored, as on the console
}

void console_write_cells(std::string_view cells) {
    if (!output_is_terminal()) return console_write(cells);
    std::string out;
    out.reserve(cells.size() * 3);
    for (char c : cells) {
        uint8_t b = uint8_t(c);
        if (terminal_is_utf8()) {
            append_cp437_utf8(out, b);
        } else {
            // Control bytes would be taken as terminal commands; they are symbols here.
            out.push_back(b < 32 || b == 127 ? '?' : c);
        }
    }
    console_write(out);
}

void console_set_attribute(uint16_t attribute) {
    if (!output_is_terminal()) return;
    int fg = attribute & 0x0F, bg = (attribute >> 4) & 0x0F;
    std::string sgr = "\x1b[0;";
    append_number(sgr, (fg & 8 ? 90 : 30) + ansi_colour(fg));
    sgr.push_back(';');
    append_number(sgr, (bg & 8 ? 100 : 40) + ansi_colour(bg));
    sgr.push_back('m');
    colours_changed();
    console_write(sgr);
}

// The screen writer keeps its own model of cursor and colours: a terminal is never asked.
int32_t console_read_cursor(int32_t&, int32_t&) {
    return output_is_terminal() ? status::kNotSupported : status::kInvalidHandle;
}

int32_t console_set_cursor(int16_t column, int16_t row) {
    int16_t width = 0, height = 0;
    if (int32_t s = console_size(width, height)) return s;
    if (column < 0 || row < 0 || column >= width || row >= height) return status::kInvalidParameter;
    std::string cup;
    append_cup(cup, column, row);
    console_write(cup);
    return status::kSuccess;
}

int32_t console_size(int16_t& width, int16_t& height) {
    if (!output_is_terminal()) return status::kInvalidHandle;
    winsize size{};
    if (ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) != 0 || size.ws_col == 0 || size.ws_row == 0) {
        width = 80; // a terminal that does not say its size
        height = 24;
    } else {
        width = int16_t(size.ws_col > 32767 ? 32767 : size.ws_col);
        height = int16_t(size.ws_row > 32767 ? 32767 : size.ws_row);
    }
    return status::kSuccess;
}

int32_t console_attribute(uint16_t&) {
    return output_is_terminal() ? status::kNotSupported : status::kInvalidHandle;
}

int32_t console_fill_characters(char c, uint32_t count, int16_t column, int16_t row) {
    int16_t width = 0, height = 0;
    if (int32_t s = console_size(width, height)) return s;
    uint32_t cells = uint32_t(width) * uint32_t(height);
    if (column == 0 && row == 0 && c == ' ' && count >= cells) {
        console_write("\x1b[2J"); // erased cells take the current colours
        return status::kSuccess;
    }
    // Save and restore the cursor around the fill: filling never moves it. Two literals each,
    // since "\x1b7" would be read as one hexadecimal escape.
    console_write("\x1b"
                  "7");
    int x = column, y = row;
    while (count > 0 && y < height && x >= 0 && x < width && y >= 0) {
        uint32_t run = std::min<uint32_t>(count, uint32_t(width - x));
        std::string cup;
        append_cup(cup, x, y);
        console_write(cup);
        console_write_cells(std::string(run, c));
        count -= run;
        x = 0;
        ++y;
    }
    console_write("\x1b"
                  "8");
    return status::kSuccess;
}

int32_t console_fill_attribute(uint16_t, uint32_t, int16_t, int16_t) {
    return output_is_terminal() ? status::kNotSupported : status::kInvalidHandle;
}

} // namespace vtx::platform
