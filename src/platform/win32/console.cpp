#include "platform/console.h"

#include <windows.h>

#include "platform/status.h"

namespace vtx::platform {

namespace {

BOOL WINAPI control_handler(DWORD event) {
    switch (event) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT: return TRUE;
    case CTRL_CLOSE_EVENT:
        Beep(1000, 500);
        ExitWindowsEx(EWX_LOGOFF, 0);
        return TRUE;
    default: return FALSE;
    }
}

HANDLE output() {
    return GetStdHandle(STD_OUTPUT_HANDLE);
}
HANDLE input() {
    return GetStdHandle(STD_INPUT_HANDLE);
}

int32_t last_status() {
    return int32_t(GetLastError());
}

int32_t screen_info(CONSOLE_SCREEN_BUFFER_INFO& info) {
    return GetConsoleScreenBufferInfo(output(), &info) ? status::kSuccess : last_status();
}

// Position 6 of the console window menu is its Close command.
void grey_close(HMENU menu) {
    ModifyMenuA(menu, 6, MF_BYPOSITION | MF_GRAYED, 6, "Close");
}

// Sets the title to one no other window has and waits (at most about a second) for the
// console window to carry it.
HWND find_console_window() {
    char previous[1024] = "";
    GetConsoleTitleA(previous, sizeof previous);
    char unique[32];
    wsprintfA(unique, "%d/%d", int(GetTickCount()), int(GetCurrentProcessId()));
    SetConsoleTitleA(unique);
    HWND window = nullptr;
    for (int i = 0; i < 26 && !window; ++i) {
        Sleep(40);
        window = FindWindowA(nullptr, unique);
    }
    SetConsoleTitleA(previous);
    return window;
}

} // namespace

ConsoleSetup console_initialise() {
    ConsoleSetup setup;
    HANDLE out = output();
    CONSOLE_SCREEN_BUFFER_INFO info;
    if (screen_info(info) == status::kSuccess) {
        setup.is_console = true;
        setup.width = info.dwSize.X;
        setup.height = info.dwSize.Y;
    }
    DWORD mode = 0;
    if (GetConsoleMode(out, &mode)) SetConsoleMode(out, mode & ~DWORD(ENABLE_WRAP_AT_EOL_OUTPUT));
    HWND window = find_console_window();
    if (window) {
        setup.window = reinterpret_cast<intptr_t>(window);
        grey_close(GetSystemMenu(window, FALSE));
    }
    return setup;
}

void break_off(intptr_t window) {
    // The handler list keeps duplicates: a repeated break off must not leave a copy behind
    // that a single break on would not remove.
    SetConsoleCtrlHandler(control_handler, FALSE);
    SetConsoleCtrlHandler(control_handler, TRUE);
    if (window) grey_close(GetSystemMenu(reinterpret_cast<HWND>(window), FALSE));
}

void break_on(intptr_t window) {
    SetConsoleCtrlHandler(control_handler, FALSE);
    if (window) GetSystemMenu(reinterpret_cast<HWND>(window), TRUE);
}

void console_write(std::string_view bytes) {
    DWORD written = 0;
    WriteFile(output(), bytes.data(), DWORD(bytes.size()), &written, nullptr);
}

void console_write_cells(std::string_view cells) {
    console_write(cells);
}

void console_set_attribute(uint16_t attribute) {
    SetConsoleTextAttribute(output(), attribute);
}

int32_t console_read_cursor(int32_t& column, int32_t& row) {
    CONSOLE_SCREEN_BUFFER_INFO info;
    if (int32_t s = screen_info(info)) return s;
    column = info.dwCursorPosition.X;
    row = info.dwCursorPosition.Y;
    return status::kSuccess;
}

int32_t console_set_cursor(int16_t column, int16_t row) {
    COORD at = {column, row};
    return SetConsoleCursorPosition(output(), at) ? status::kSuccess : last_status();
}

int32_t console_size(int16_t& width, int16_t& height) {
    CONSOLE_SCREEN_BUFFER_INFO info;
    if (int32_t s = screen_info(info)) return s;
    width = info.dwSize.X;
    height = info.dwSize.Y;
    return status::kSuccess;
}

int32_t console_attribute(uint16_t& attribute) {
    CONSOLE_SCREEN_BUFFER_INFO info;
    if (int32_t s = screen_info(info)) return s;
    attribute = info.wAttributes;
    return status::kSuccess;
}

int32_t console_fill_characters(char c, uint32_t count, int16_t column, int16_t row) {
    DWORD done = 0;
    COORD at = {column, row};
    return FillConsoleOutputCharacterA(output(), c, count, at, &done) ? status::kSuccess
                                                                      : last_status();
}

int32_t console_fill_attribute(uint16_t attribute, uint32_t count, int16_t column, int16_t row) {
    DWORD done = 0;
    COORD at = {column, row};
    return FillConsoleOutputAttribute(output(), attribute, count, at, &done) ? status::kSuccess
                                                                             : last_status();
}

int32_t console_read_key(uint8_t& byte) {
    HANDLE in = input();
    DWORD mode = 0;
    bool console = GetConsoleMode(in, &mode) != 0;
    if (console) SetConsoleMode(in, mode & ~DWORD(ENABLE_LINE_INPUT | ENABLE_ECHO_INPUT));
    byte = 0;
    DWORD got = 0;
    int32_t result = status::kSuccess;
    if (!ReadFile(in, &byte, 1, &got, nullptr))
        result = last_status();
    else if (got == 0)
        result = status::kHandleEof;
    if (console) SetConsoleMode(in, mode);
    if (result != status::kSuccess) byte = 0;
    return result;
}

int32_t console_read_line(std::string& line, std::size_t limit) {
    HANDLE in = input();
    line.clear();
    // Byte by byte, so nothing after the line end is held back from a later key read.
    bool any = false;
    for (;;) {
        char c = 0;
        DWORD got = 0;
        BOOL ok = ReadFile(in, &c, 1, &got, nullptr);
        if (!ok || got == 0) {
            int32_t result = ok ? status::kHandleEof : last_status();
            if (any) break;
            // A pipe whose writer has gone is at its end too.
            return result == status::kBrokenPipe ? status::kHandleEof : result;
        }
        any = true;
        if (c == '\n') break;
        if (line.size() < limit) line.push_back(c);
    }
    return status::kSuccess;
}

int32_t console_flush_input() {
    return FlushConsoleInputBuffer(input()) ? status::kSuccess : last_status();
}

} // namespace vtx::platform
