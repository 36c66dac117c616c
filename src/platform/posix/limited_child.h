// Work that may hang on another process (a D-Bus service, a file server) runs in a child
// process with a deadline, so a script always goes on.
#pragma once

#include <functional>
#include <string>

namespace vtx::platform {

// Runs `work` in a forked child whose standard output and error go nowhere; the text it
// returns comes back in `reply`. True when the child answered within `seconds`; otherwise
// the child is killed and the answer is false.
bool run_limited(const std::function<std::string()>& work, int seconds, std::string& reply);

} // namespace vtx::platform
