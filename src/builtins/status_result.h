// The result of a function whose value is a status: it is also left in @ERROR.
#pragma once

#include <cstdint>
#include <string>

#include "engine/runtime.h"
#include "engine/text.h"

namespace vtx {

inline void return_status(Runtime& rt, std::string& result, int32_t status) {
    rt.error = status;
    append_int(result, status);
}

} // namespace vtx
