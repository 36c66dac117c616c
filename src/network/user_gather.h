// Gathering the user-information record.
#pragma once

#include <cstdint>

namespace vtx {

struct Runtime;

// Fills rt.user; returns 0, or the status of the step that failed. The facts `later` names
// (UserFact bits) and the addresses are read on their first use through user_facts(), from
// the sources as they were at start.
int32_t gather_user_information(Runtime& rt, unsigned later = 0);

} // namespace vtx
