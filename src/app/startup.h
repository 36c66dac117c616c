// Start-up: the command line, the facts gathered once, and the scripts run in turn.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "engine/version.h"

namespace vtx {

struct Runtime;

inline constexpr const char* kUsage =
    ">>> Valtrix 95  " VTX32_VERSION_TEXT
    "\nWindows NT 3.x / Windows 95 logon script processor and/or registry "
    "editor.\nUsage : VTX32 [script1] [...] [$var=123]\n";

// Runs the whole program for the given arguments (the first is the program's own path)
// and returns the process exit code. Script errors propagate to the caller.
int run_program(Runtime& rt, const std::vector<std::string>& args);

// The folder part of the program path, cut after its last separator (backslash, and on
// POSIX also slash); empty when it has none or when it is longer than 255 characters.
std::string program_directory(const std::string& path, bool slash_too);

// True when PATH starts with \\server\NETLOGON... (only the first share is tested).
bool is_logon_share_path(const std::string& path);

// The process exit status for the script's exit code: on POSIX a value outside 0..255 is
// 255, since the low byte alone could read as success.
int process_status(int32_t exit_code);

// What --version prints on POSIX: the version and the folders of the registry store.
std::string version_text();

// Defines a `$name=value` command-line variable without looking for an existing one.
void define_command_line_variable(Runtime& rt, const std::string& arg);

} // namespace vtx
