// The loops that move every byte through a descriptor.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vtx::platform {

// Writes all of `bytes` to `fd`, going on after interruptions and short writes: 0, or the
// errno of the failure (EIO when the descriptor takes nothing). Async-signal-safe.
int write_all(int fd, std::string_view bytes);

// Appends what `fd` gives until its end or `limit` bytes in all: 0, or the errno of the
// failure.
int read_all(int fd, std::string& out, std::size_t limit);

// Milliseconds of the monotonic clock, for deadlines.
long long monotonic_ms();

// Feeds `input` to `in` (-1 for none) and drains `out` into `output` until `out` closes
// (true) or the monotonic clock passes `deadline` (false). Closes `in`.
bool exchange(int in, int out, const std::string& input, std::string& output, long long deadline);

} // namespace vtx::platform
