#include "engine/commands.h"
#include "engine/unbuilt.h"

namespace vtx {

void cmd_setl(Runtime&) { not_built_yet(); }
void cmd_sleep(Runtime&) { not_built_yet(); }
void cmd_password(Runtime&) { not_built_yet(); }

} // namespace vtx
