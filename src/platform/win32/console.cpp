#include "platform/console.h"

#include <windows.h>

namespace vtx::platform {

namespace {

BOOL WINAPI control_handler(DWORD event) {
    switch (event) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
        return TRUE;
    case CTRL_CLOSE_EVENT:
        Beep(1000, 500);
        ExitWindowsEx(EWX_LOGOFF, 0);
        return TRUE;
    default:
        return FALSE;
    }
}

HANDLE output() { return GetStdHandle(STD_OUTPUT_HANDLE); }

} // namespace

void console_write(std::string_view bytes) {
    DWORD written = 0;
    WriteFile(output(), bytes.data(), DWORD(bytes.size()), &written, nullptr);
}

void console_set_attribute(uint16_t attribute) { SetConsoleTextAttribute(output(), attribute); }

void console_initialise(int16_t& width, int16_t& height) {
    CONSOLE_SCREEN_BUFFER_INFO info;
    if (GetConsoleScreenBufferInfo(output(), &info)) {
        width = info.dwSize.X;
        height = info.dwSize.Y;
    }
}

void break_off() { SetConsoleCtrlHandler(control_handler, TRUE); }

void break_on() { SetConsoleCtrlHandler(control_handler, FALSE); }

} // namespace vtx::platform
