#include "engine/commands.h"
#include "engine/unbuilt.h"

namespace vtx {

void cmd_use(Runtime&) { not_built_yet(); }

} // namespace vtx
