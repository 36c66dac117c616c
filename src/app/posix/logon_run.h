// `vtx32 --logon`: what a Windows workstation does for a domain account at logon, in the
// user's session — the logon share mounted, the home drive connected, the account's logon
// script run from the share — once per login session, with one record in the user's log.
#pragma once

#include <string>
#include <vector>

namespace vtx {

struct Runtime;

// Where the central switch is read (launchers name themselves in VTX32_LAUNCHER).
inline constexpr const char* kLogonConfig = "/etc/vtx32/logon.conf";

// Runs the logon for `args` (the program's path, --logon and `$name=value` words) and
// returns the exit code: the last script run's, 0 when none ran, 2 for other arguments.
int run_logon(Runtime& rt, const std::vector<std::string>& args);

} // namespace vtx
