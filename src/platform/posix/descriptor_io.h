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

} // namespace vtx::platform
