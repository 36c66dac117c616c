#include "engine/commands.h"
#include "engine/runtime.h"
#include "engine/unbuilt.h"
#include "platform/console.h"

namespace vtx {

void cmd_at(Runtime&) { not_built_yet(); }
void cmd_beep(Runtime&) { platform::console_write("\a"); }
void cmd_big(Runtime& rt) { rt.out.big = true; }
void cmd_box(Runtime&) { not_built_yet(); }
void cmd_break(Runtime&) { not_built_yet(); }
void cmd_cls(Runtime&) { not_built_yet(); }
void cmd_color(Runtime&) { not_built_yet(); }
void cmd_flushkb(Runtime&) { not_built_yet(); }
void cmd_get(Runtime&) { not_built_yet(); }
void cmd_gets(Runtime&) { not_built_yet(); }
void cmd_newline(Runtime& rt) { rt.out.write_text("\r\n"); }
void cmd_small(Runtime& rt) { rt.out.big = false; }

} // namespace vtx
