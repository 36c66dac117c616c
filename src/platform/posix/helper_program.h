// Running one of the system's own tools (smbclient, net) for a job no library offers, with
// its input given and its output collected, within a time limit.
#pragma once

#include <string>
#include <vector>

namespace vtx::platform {

inline constexpr int kHelperMissing = -1;
inline constexpr int kHelperFailed = -2;

// Runs `argv` (looked up in PATH) with `input` on its standard input and its standard output
// and error collected in `output`: its exit code; kHelperMissing when it cannot be started
// (not installed); kHelperFailed when a signal ended it or it did not finish within `seconds`
// (it is then killed). It runs in a session of its own, without a controlling terminal, so
// it cannot stop to ask the person at this one for a password. With `errors_too` false its
// standard error is dropped, for a tool whose answer is its output alone.
int run_helper(const std::vector<std::string>& argv, const std::string& input, std::string& output,
               int seconds, bool errors_too = true);

} // namespace vtx::platform
