// What every program this one starts begins with.
#pragma once

#include <spawn.h>

namespace vtx::platform {

// Initialises `attr` (the caller destroys it) so that the child gets the default handling of
// the interrupt keys, SIGPIPE and SIGHUP, which break off ignores here, and blocks no signal.
// `flags` adds further POSIX_SPAWN_* flags.
void init_child_attributes(posix_spawnattr_t& attr, short flags = 0);

} // namespace vtx::platform
