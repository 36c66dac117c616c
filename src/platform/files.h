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

// What a (native) path names, links followed: nothing (also for a name that cannot be looked
// up), a regular file, a folder, or something else (a device, a FIFO, a socket; POSIX only),
// which a file must never replace.
enum class FileKind { missing, regular, folder, other };
FileKind file_kind(const std::string& path);
// Renames `from` over `to`, replacing a file of that name in one step where the system
// can: 0, or the failure.
int32_t replace_file(const std::string& from, const std::string& to);
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
// Opens for reading, sharing reads with others; a missing file is created empty first. The
// path is already native. 0 and a handle; 5 for a folder, 3 for a missing folder on the way,
// or another status, and kNoFile.
int32_t open_for_read_shared(const std::string& path, FileHandle& out);
// The size of an open file in bytes: 0, or a status.
int32_t file_size(FileHandle f, uint64_t& size);
// (Reading goes through read_bytes of the file commands' block below.)
// --------------------------------------------------------------------------------------------

// --- Folders and files of the file commands (CD, MD, DEL, DISPLAY) ---
// Paths are named as scripts name them (POSIX converts them with native_path). A missing
// file gives 2 and a missing folder on the way to it 3, on both builds; delete_file above
// answers the same way (2, 3, 5 also for a folder, 32 in use on Windows).

// Creates one folder: 0; 183 when the name exists already; 3 when a folder on the way is
// missing; 5 access denied; 206 name too long.
int32_t create_directory(const std::string& path);
// Makes the folder current for this process: 0; 2 missing; 3 folder on the way missing;
// 267 the name is a file; 5 access denied; 206 name too long.
int32_t set_current_directory(const std::string& path);
// Opens an existing file for binary reading, others may read and write it meanwhile: 0 and
// a handle in `out`; 2, 3, 5 (also for a folder) or 206 and kNoFile.
int32_t open_for_read(const std::string& path, FileHandle& out);
// Reads at most `size` bytes: 0 with `got` bytes read (0 at the end of the file), or a status.
int32_t read_bytes(FileHandle f, char* buffer, std::size_t size, std::size_t& got);
// --- end of the file commands' block ---

// Makes `letter` (A to Z, either case) the current drive: 0, or a status. POSIX: the root of
// the share mapped to the letter by USE; 15 for a letter that is not mapped.
int32_t change_drive(char letter);

// The path as the operating system wants it. POSIX: a leading `X:` of a mapped drive and a
// leading `\\server\share` of a mounted share become the folder of the mounted files,
// backslashes become slashes, and a missing last component is matched without regard to
// case in its folder; `.` and `..` never climb above a drive's or share's root. Every path a
// script names goes through here. POSIX: a path that starts with two separators is a
// network name even when no share of it is mounted; it is never a local file.
// 0 and the path in `native`; 53 or 67 when it names a share that is not mounted, and
// `native` empty. Windows: always 0 and the path as given (the system resolves it).
int32_t resolve_path(std::string_view path, std::string& native);
// resolve_path without the status: "" for a path that cannot be reached, which no file
// call accepts.
std::string native_path(std::string_view path);

} // namespace vtx::platform
