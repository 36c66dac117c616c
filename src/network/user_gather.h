// Gathering the user-information record once at start-up.
#pragma once

#include <cstdint>

namespace vtx {

struct Runtime;

// Fills rt.user; returns 0, or the status of the step that failed.
int32_t gather_user_information(Runtime& rt);

} // namespace vtx
