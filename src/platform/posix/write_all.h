// The one loop that writes every byte to a descriptor.
#pragma once

#include <string_view>

namespace vtx::platform {

// Writes all of `bytes` to `fd`, going on after interruptions and short writes: 0, or the
// errno of the failure (EIO when the descriptor takes nothing). Async-signal-safe.
int write_all(int fd, std::string_view bytes);

} // namespace vtx::platform
