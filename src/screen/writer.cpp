#include "screen/writer.h"

#include "platform/console.h"
#include "screen/large_chars.h"

namespace vtx {

void Writer::start() {
    platform::ConsoleSetup setup = platform::console_initialise();
    console = setup.is_console;
    width = setup.width;
    height = setup.height;
    window = setup.window;
}

void Writer::break_off() {
    platform::break_off(window);
}
void Writer::break_on() {
    platform::break_on(window);
}

void Writer::write_text(std::string_view text) {
    if (redirect != platform::kNoFile) {
        platform::write_file(redirect, text);
    } else if (big && console) {
        for (char c : text) draw_large_character(*this, uint8_t(c));
    } else {
        write_stdout(text);
    }
}

void Writer::new_line() {
    write_text(redirect != platform::kNoFile ? std::string_view("\r\n")
                                             : platform::kConsoleLineEnd);
}

void Writer::set_attribute(int attribute) {
    platform::console_set_attribute(uint16_t(attribute));
}

void Writer::clear_screen() {
    if (redirect != platform::kNoFile) return;
    int16_t w = 0, h = 0;
    if (platform::console_size(w, h) != 0) return;
    uint32_t count = uint32_t(w) * uint32_t(h);
    platform::console_fill_characters(' ', count, 0, 0);
    uint16_t attribute = 0;
    if (platform::console_attribute(attribute) == 0)
        platform::console_fill_attribute(attribute, count, 0, 0);
    set_cursor(0, 0);
}

void Writer::close_redirect() {
    if (redirect != platform::kNoFile) {
        platform::close_file(redirect);
        redirect = platform::kNoFile;
    }
}

void Writer::read_cursor(int32_t& column, int32_t& row) {
    if (platform::console_read_cursor(column, row) == 0) {
        cursor_column = column;
        cursor_row = row;
        return;
    }
    column = cursor_column;
    row = cursor_row;
}

void Writer::set_cursor(int32_t column, int32_t row) {
    if (redirect != platform::kNoFile) return;
    int16_t x = int16_t(column), y = int16_t(row);
    if (platform::console_set_cursor(x, y) != 0) return;
    cursor_column = x;
    cursor_row = y;
}

void Writer::write_cells(std::string_view cells) {
    platform::console_write_cells(cells);
    follow(cells, true);
}

void Writer::write_stdout(std::string_view bytes) {
    platform::console_write(bytes);
    follow(bytes, false);
}

// Moves the cursor model as the console moves its cursor: no wrapping at the right edge,
// scrolling at the bottom. Text is taken as UTF-8 (a continuation byte takes no cell);
// escape sequences in script text are not followed.
void Writer::follow(std::string_view bytes, bool cells) {
    int32_t last_column = width > 0 ? width - 1 : 0, last_row = height > 0 ? height - 1 : 0;
    uint8_t previous = 0;
    for (char ch : bytes) {
        uint8_t c = uint8_t(ch);
        if (cells || (c >= 32 && c != 127 && !(c >= 0x80 && c < 0xC0 && previous >= 0x80))) {
            if (cursor_column < last_column) ++cursor_column;
        } else if (c == '\r') {
            cursor_column = 0;
        } else if (c == '\n') {
            cursor_column = 0;
            if (cursor_row < last_row) ++cursor_row;
        } else if (c == '\b') {
            if (cursor_column > 0) --cursor_column;
        } else if (c == '\t') {
            cursor_column = cursor_column / 8 * 8 + 8;
            if (cursor_column > last_column) cursor_column = last_column;
        }
        previous = c;
    }
}

} // namespace vtx
