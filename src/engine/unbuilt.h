// What a statement or function that is not built yet does: stop, never pretend success.
#pragma once

#include "engine/script_error.h"

namespace vtx {

[[noreturn]] inline void not_built_yet() { throw ScriptError(kErrUnknownCommand); }

} // namespace vtx
