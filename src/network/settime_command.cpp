#include "engine/commands.h"
#include "engine/unbuilt.h"

namespace vtx {

void cmd_settime(Runtime&) { not_built_yet(); }

} // namespace vtx
