#include "platform/posix/spawn_attributes.h"

#include <csignal>
#include <initializer_list>

namespace vtx::platform {

void init_child_attributes(posix_spawnattr_t& attr, short flags) {
    // Children start with default signal actions and nothing blocked, whatever this program set for
    // itself.
    posix_spawnattr_init(&attr);
    sigset_t defaults, empty;
    sigemptyset(&defaults);
    for (int sig : {SIGINT, SIGQUIT, SIGPIPE, SIGHUP}) sigaddset(&defaults, sig);
    sigemptyset(&empty);
    posix_spawnattr_setsigdefault(&attr, &defaults);
    posix_spawnattr_setsigmask(&attr, &empty);
    posix_spawnattr_setflags(&attr, short(POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK | flags));
}

} // namespace vtx::platform
