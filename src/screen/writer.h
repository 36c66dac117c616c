// The console session and the one text writer: console, redirect file or large characters.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/files.h"
#include "screen/surface.h"

namespace vtx {

struct Writer final : Surface {
    platform::FileHandle redirect = platform::kNoFile;
    bool big = false;
    bool console = false; // standard output is a console or terminal
    intptr_t window = 0;  // the console window, 0 when not known
    // The cursor as the writer has moved it, for platforms that cannot report it without
    // waiting on the terminal.
    int32_t cursor_column = 0;
    int32_t cursor_row = 0;

    // Start-up: break off, then prepare the console and read its size once.
    void start();
    void break_off();
    void break_on();

    void write_text(std::string_view text);
    // The line end of `?`: CR LF into a redirect file, the platform's own on standard output.
    void new_line();
    void set_attribute(int attribute);
    // Blanks the screen in the current colours and homes the cursor; ignored while output
    // is redirected.
    void clear_screen();
    void close_redirect();
    // Boxes and large characters are drawn only on a console and only without a redirect.
    bool draws() const { return console && redirect == platform::kNoFile; }

    void read_cursor(int32_t& column, int32_t& row) override;
    // Ignored while output is redirected; both values are cut to 16 bits.
    void set_cursor(int32_t column, int32_t row) override;
    void write_cells(std::string_view cells) override;
    void write_stdout(std::string_view bytes) override;

  private:
    void follow(std::string_view bytes, bool cells);
};

} // namespace vtx
