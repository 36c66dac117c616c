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

// --- File slots (OPEN, READLINE, CLOSE) ---------------------------------------------------
// Opens for reading, sharing reads with others; a missing file is created empty first.
// 0 and a handle; 5 for a folder, 3 for a missing folder in the path, or another status.
int32_t open_for_read_shared(const std::string& path, FileHandle& out);
// The size of an open file in bytes: 0, or a status.
int32_t file_size(FileHandle f, uint64_t& size);
// Reads up to `want` bytes into `buffer`, stopping early only at the end of the file;
// `got` says how many arrived. 0, or a status (`got` then holds what arrived before).
int32_t read_bytes(FileHandle f, char* buffer, std::size_t want, std::size_t& got);
// --------------------------------------------------------------------------------------------

// Makes `letter` (A to Z, either case) the current drive: 0, or a status. POSIX has no
// drive letters and always fails.
int32_t change_drive(char letter);

// The path as the operating system wants it: on POSIX backslashes become slashes and a
// missing last component is matched without regard to case in its folder.
std::string native_path(std::string_view path);

} // namespace vtx::platform
