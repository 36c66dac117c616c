#include "builtins/handlers.h"
#include "engine/unbuilt.h"

namespace vtx {

void fn_addprinterconnection(Runtime&, std::string&) { not_built_yet(); }
void fn_delprinterconnection(Runtime&, std::string&) { not_built_yet(); }
void fn_setdefaultprinter(Runtime&, std::string&) { not_built_yet(); }
void fn_setwallpaper(Runtime&, std::string&) { not_built_yet(); }
void fn_setconsole(Runtime&, std::string&) { not_built_yet(); }
void fn_messagebox(Runtime&, std::string&) { not_built_yet(); }
void fn_shutdown(Runtime&, std::string&) { not_built_yet(); }
void fn_logoff(Runtime&, std::string&) { not_built_yet(); }

} // namespace vtx
