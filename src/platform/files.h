// Files and folders. Every call returns a Win32-numbered status (platform/status.h).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vtx::platform {

// An open file; kNoFile when none.
using FileHandle = intptr_t;
inline constexpr FileHandle kNoFile = -1;

// True when the path names an existing file or folder.
bool path_exists(const std::string& path);
// Reads the whole file into `out`: 0, or 2/3/5/... when it cannot be opened or read.
// `limit` caps how many bytes are read (the rest is not touched).
int32_t read_file(const std::string& path, std::string& out, std::size_t limit);
// Opens for appending (created when missing) or truncating: 0 and a handle, or a status.
int32_t open_for_write(const std::string& path, bool truncate, FileHandle& out);
// Writes all bytes; 0 or a status.
int32_t write_file(FileHandle f, std::string_view bytes);
void close_file(FileHandle f);
// Deletes a file named as scripts name it: 0, or 2/3/5/... as the platform reports.
int32_t delete_file(const std::string& path);

// Makes `letter` (A to Z, either case) the current drive: 0, or a status. POSIX has no
// drive letters and always fails.
int32_t change_drive(char letter);

// The path as the operating system wants it: on POSIX backslashes become slashes and a
// missing last component is matched without regard to case in its folder.
std::string native_path(std::string_view path);

} // namespace vtx::platform
