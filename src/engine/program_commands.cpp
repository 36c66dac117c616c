#include "engine/commands.h"
#include "engine/unbuilt.h"

namespace vtx {

void cmd_run(Runtime&) { not_built_yet(); }
void cmd_shell(Runtime&) { not_built_yet(); }

} // namespace vtx
