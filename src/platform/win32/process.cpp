#include "platform/process.h"

#include <string>
#include <vector>

#include <windows.h>

namespace vtx::platform {

int32_t start_program(std::string_view command_line) {
    std::string line(command_line);
    UINT result = WinExec(line.c_str(), SW_SHOWDEFAULT);
    // WinExec answers above 31 when the program started, 0 when it gives no reason, and
    // its start-up error (2 not found, 11 bad format, ...) otherwise.
    if (result > 31) return 0;
    return result == 0 ? -1 : int32_t(result);
}

int32_t run_program_and_wait(std::string_view command_line, int32_t& exit_code) {
    // CreateProcessA may write into the command line, so it gets its own copy.
    std::vector<char> line(command_line.begin(), command_line.end());
    line.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS,
                        nullptr, nullptr, &startup, &info))
        return int32_t(GetLastError());
    WaitForSingleObject(info.hProcess, INFINITE);
    DWORD code = 0;
    int32_t result = GetExitCodeProcess(info.hProcess, &code) ? 0 : int32_t(GetLastError());
    if (result == 0) exit_code = int32_t(code);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return result;
}

void sleep_milliseconds(uint64_t milliseconds) {
    // Sleep takes 32 bits, and INFINITE among them would never end.
    while (milliseconds > 0) {
        DWORD part = milliseconds > 0x7FFFFFFF ? 0x7FFFFFFF : DWORD(milliseconds);
        Sleep(part);
        milliseconds -= part;
    }
}

} // namespace vtx::platform
