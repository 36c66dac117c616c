// The console: the process's standard output and input, and the console window or terminal
// behind them. Statuses are Win32 numbers (platform/status.h); 6 (invalid handle) means
// the stream is not a console or terminal, and such calls change nothing.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vtx::platform {

// What console_initialise found out, once, at start-up.
struct ConsoleSetup {
    bool is_console = false; // standard output is a console or terminal
    int16_t width = 80;      // screen buffer size (the terminal's size on POSIX)
    int16_t height = 25;
    intptr_t window = 0; // the console window; 0 when not found (always on POSIX)
};

// Prepares the console once, right after the first break_off: wrapping at the end of a
// line switched off; on Win32 the console window is looked up and its Close command
// greyed; on POSIX the terminal's modes and default colours are restored when the process ends
// (normal end, exit(), SIGTERM, SIGHUP, and SIGINT/SIGQUIT in break on).
ConsoleSetup console_initialise();

// Break off: Ctrl+C and Ctrl+Break (SIGINT, SIGQUIT) are swallowed, the window's Close is
// greyed, and closing the window (a terminal hang-up) logs the user off (POSIX: rings the
// bell and ends the program). Break on: the platform's default handling.
void break_off(intptr_t window);
void break_on(intptr_t window);

// The program's own line end on standard output: CR LF on Windows, LF as Linux programs
// write it on POSIX. Files keep CR LF on both.
#ifdef _WIN32
inline constexpr std::string_view kConsoleLineEnd = "\r\n";
#else
inline constexpr std::string_view kConsoleLineEnd = "\n";
#endif

// Writes bytes unchanged to standard output; errors are ignored.
void console_write(std::string_view bytes);
// Writes drawn cells (full block, box characters: code page 437 bytes) to standard output.
// A UTF-8 terminal gets their Unicode characters; elsewhere the bytes pass unchanged.
void console_write_cells(std::string_view cells);
// Sets the colour attribute (low nibble foreground, high nibble background; bit 0 blue,
// bit 1 green, bit 2 red, bit 3 intensity).
void console_set_attribute(uint16_t attribute);

// The cursor position: 0; 6 when not a console; 50 on POSIX, where asking the terminal
// would wait on it (the writer keeps its own model there).
int32_t console_read_cursor(int32_t& column, int32_t& row);
// Moves the cursor: 0; 87 (and no move) when the position lies outside the screen.
int32_t console_set_cursor(int16_t column, int16_t row);
// The current screen size (not the one saved at start): 0 or 6.
int32_t console_size(int16_t& width, int16_t& height);
// The current colour attribute: 0; 6; 50 on POSIX (a terminal cannot be asked).
int32_t console_attribute(uint16_t& attribute);
// Writes `c` into `count` cells from (column, row) on, row after row, in the current
// attribute; the cursor does not move. 0 or 6.
int32_t console_fill_characters(char c, uint32_t count, int16_t column, int16_t row);
// Gives `count` cells from (column, row) on the attribute: 0; 6; 50 on POSIX (a terminal
// recolours only what it writes; console_fill_characters already used the current one).
int32_t console_fill_attribute(uint16_t attribute, uint32_t count, int16_t column, int16_t row);

// Reads one key from standard input without echo and without waiting for a line; Enter
// gives 13 (POSIX: also a line feed read from a pipe or file); interrupt keys still reach
// break handling. The input mode is set back after
// the read. 0; 38 (end of input) or another status when nothing could be read (`byte`
// is then 0).
int32_t console_read_key(uint8_t& byte);
// Reads one line from standard input with the console's own echo and editing, up to and
// without its line feed (a carriage return before it stays). At most `limit` bytes are
// kept; the rest of that line is read and dropped. 0; 38 when the input ended before any
// character.
int32_t console_read_line(std::string& line, std::size_t limit);
// Discards typed-ahead input: 0 or 6.
int32_t console_flush_input();

} // namespace vtx::platform
