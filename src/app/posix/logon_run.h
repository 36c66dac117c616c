// `vtx32 --logon`: what a Windows workstation does for a domain account at logon, in the
// user's session — the logon share mounted, the home drive connected, the account's logon
// script run from the share — once per login session, with one record in the user's log.
#pragma once

#include <string>
#include <vector>

namespace vtx {

struct Runtime;
struct UserInfo;

// Where the central switch is read (launchers name themselves in VTX32_LAUNCHER).
inline constexpr const char* kLogonConfig = "/etc/vtx32/logon.conf";

// Why the switch file `config` keeps `user` from the logon started by `launcher` ("" when
// none named itself): [all], then the launcher's own section; `off = yes` for everyone,
// `groups = A, B` for members (matched as INGROUP matches). Empty when it may run.
std::string logon_switched_off(const std::string& config, const std::string& launcher,
                               const UserInfo& user);

// Runs the logon for `args` (the program's path, --logon and `$name=value` words) and
// returns the exit code: the last script run's, 0 when none ran, 2 for other arguments.
int run_logon(Runtime& rt, const std::vector<std::string>& args);

} // namespace vtx
