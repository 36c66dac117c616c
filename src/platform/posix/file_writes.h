// Writing files so that a reader never sees half of one, and the folders they go in.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <string>

namespace vtx::platform {

// Writes `text` to a new file beside `path` and renames it over `path`, keeping the old
// file's permissions. A symbolic link is followed, so the link itself survives. 0 or a status.
int32_t write_whole_file(const std::string& path, const std::string& text);

// Creates `path` and every missing folder above it with `mode`: 0 or the errno.
int make_folders(const std::string& path, mode_t mode);

} // namespace vtx::platform
