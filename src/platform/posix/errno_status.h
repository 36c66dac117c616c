// The one mapping from errno to the Win32 status numbers that scripts read.
#pragma once

#include <cstdint>
#include <string>

namespace vtx::platform {

// `missing_is_path` picks 3 (path not found) rather than 2 for ENOENT/ENOTDIR, as Windows
// answers for a missing folder in the path.
int32_t status_from_errno(int error, bool missing_is_path = false);

// The status of a failed call on `path`: as status_from_errno, except that ENOENT is 2 when
// the folder that should hold the last component exists and 3 when it does not, as Windows
// tells a missing file from a missing folder on the way.
int32_t status_from_path_errno(int error, const std::string& path);

} // namespace vtx::platform
