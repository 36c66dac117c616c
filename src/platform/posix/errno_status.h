// The one mapping from errno to the Win32 status numbers that scripts read.
#pragma once

#include <cstdint>

namespace vtx::platform {

// `missing_is_path` picks 3 (path not found) rather than 2 for ENOENT/ENOTDIR, as Windows
// answers for a missing folder in the path.
int32_t status_from_errno(int error, bool missing_is_path = false);

} // namespace vtx::platform
