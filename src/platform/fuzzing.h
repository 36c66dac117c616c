// The fuzzing build (VTX32_FUZZING) runs arbitrary bytes as scripts, many thousands a
// minute: it starts no programs, waits for nothing and caps the statements of one run.
#pragma once

namespace vtx::platform {

#ifdef VTX32_FUZZING
inline constexpr bool kFuzzing = true;
#else
inline constexpr bool kFuzzing = false;
#endif

} // namespace vtx::platform
