// Running one of the system's own tools (smbclient, net) for a job no library offers, with
// its input given and its output collected, within a time limit.
#pragma once

#include <string>
#include <vector>

namespace vtx::platform {

// Runs `argv` (looked up in PATH) with `input` on its standard input and its standard output
// and error collected in `output`: its exit code; -1 when it cannot be started (not
// installed), was ended by a signal, or did not finish within `seconds` (it is then killed).
int run_helper(const std::vector<std::string>& argv, const std::string& input,
               std::string& output, int seconds);

} // namespace vtx::platform
