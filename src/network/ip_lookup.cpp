#include "network/ip_lookup.h"

#include "engine/runtime.h"

namespace vtx {

void lookup_ip_addresses(Runtime& rt) { rt.user.ip_lookup_done = 1; }

} // namespace vtx
