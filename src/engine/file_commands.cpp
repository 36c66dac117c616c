#include "engine/commands.h"
#include "engine/unbuilt.h"

namespace vtx {

void cmd_cd(Runtime&) { not_built_yet(); }
void cmd_md(Runtime&) { not_built_yet(); }
void cmd_del(Runtime&) { not_built_yet(); }
void cmd_display(Runtime&) { not_built_yet(); }

} // namespace vtx
