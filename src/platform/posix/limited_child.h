// Work that may hang on another process (a D-Bus service, a file server) runs in a child
// process with a deadline, so a script always goes on.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace vtx::platform {

// Runs `work` in a forked child whose standard output and error go nowhere; the text it
// returns comes back in `reply`. True when the child answered within `seconds`; otherwise
// the child is killed and the answer is false.
bool run_limited(const std::function<std::string()>& work, int seconds, std::string& reply);

// The reply of work that ends in a status: the status in decimal, a line feed, then `text`.
std::string status_reply(int32_t status, const std::string& text = "");

// Runs `work` as run_limited does, for work whose reply is a status_reply: the status, with
// its text in `text`; `unanswered` when the child ran out of time or died before answering.
int32_t run_limited_status(const std::function<std::string()>& work, int seconds,
                           int32_t unanswered, std::string& text);

} // namespace vtx::platform
