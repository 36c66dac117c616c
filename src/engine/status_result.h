// The integer functions return their status as their result, and leave it in @ERROR.
#pragma once

#include <cstdint>
#include <string>

#include "engine/runtime.h"
#include "engine/text.h"

namespace vtx {

inline void finish_status(Runtime& rt, std::string& result, int32_t status) {
    rt.error = status;
    append_int(result, status);
}

} // namespace vtx
