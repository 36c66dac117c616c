// Initialisation (profile) files. A file name without a folder means the Windows folder on
// Windows and the current folder on POSIX.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace vtx::platform {

// With a section and a key: the key's value (empty when missing). With an empty section:
// every section name; with an empty key: every key name of the section; each name is
// followed by a zero byte. At most `capacity` - 1 bytes, cut as the Win32 call cuts.
// Always 0: a file that cannot be read reads as empty.
int32_t profile_read(const std::string& file, const std::string& section, const std::string& key,
                     std::size_t capacity, std::string& out);

// Sets the key to `*value` (creating the file and the section), or deletes the key when
// `value` is null. 0, or the status of the failed read or write (5 for a folder, a file that
// may not be written or one that is not a regular file; 3 for a missing folder). On POSIX
// writers take turns under a lock on the file, a symbolic link is followed (a dangling one
// is created at its target), and the file is replaced by renaming a complete copy with the
// original's owner, group and mode, so a crash leaves the old file or the new one; a file
// with other hard links, or in a folder that refuses a new file, is rewritten in place.
int32_t profile_write(const std::string& file, const std::string& section, const std::string& key,
                      const std::string* value);

} // namespace vtx::platform
