// Starting programs and pausing. Every call returns a Win32-numbered status (platform/status.h).
#pragma once

#include <cstdint>
#include <string_view>

namespace vtx::platform {

// Starts the program that `command_line` names (no command interpreter in front; its
// arguments are split by the rules of platform/posix/system/command_line.h) and does not wait for it.
// Returns 0 when it started; -1 when the platform gives no reason; otherwise the reason:
// 2 program not found, 3 folder on its path missing, 5 access denied, 11 (Windows) or 193
// (POSIX) not a program, 206 name too long. The program keeps running after this process
// ends, and nothing is left behind for this process to collect when it finishes.
int32_t start_program(std::string_view command_line);

// Starts the program as start_program does and waits for it to end without limit.
// Returns 0 with the program's exit code in `exit_code` (POSIX: a program ended by signal N
// gives 128 + N); when it cannot be started, the status (2, 3, 5, 193, 206, ...) and
// `exit_code` untouched.
int32_t run_program_and_wait(std::string_view command_line, int32_t& exit_code);

// Waits the given time; 0 returns at once.
void sleep_milliseconds(uint64_t milliseconds);

} // namespace vtx::platform
