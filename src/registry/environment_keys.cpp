#include "engine/commands.h"
#include "engine/unbuilt.h"

namespace vtx {

void cmd_set(Runtime&) { not_built_yet(); }
void cmd_setm(Runtime&) { not_built_yet(); }

} // namespace vtx
