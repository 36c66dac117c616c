// What kind of file a path names, checked before anything is read or written through it:
// a FIFO would block the run, a socket cannot be opened, and a device or folder must never
// be replaced by a file.
#pragma once

#include <string>
#include <sys/types.h>

namespace vtx::platform {

// Opens `path` with `flags` (and `mode` when creating) without waiting on a FIFO, and keeps
// the descriptor only for a regular file, or a character device when `devices` is set:
// the descriptor (blocking again, close-on-exec), or -errno: -EACCES for a folder, FIFO,
// socket or a device not allowed.
int open_checked(const std::string& path, int flags, mode_t mode, bool devices);

} // namespace vtx::platform
