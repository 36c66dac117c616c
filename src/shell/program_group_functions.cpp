#include "builtins/handlers.h"
#include "engine/unbuilt.h"

namespace vtx {

void fn_addprogramgroup(Runtime&, std::string&) { not_built_yet(); }
void fn_addprogramitem(Runtime&, std::string&) { not_built_yet(); }
void fn_delprogramgroup(Runtime&, std::string&) { not_built_yet(); }
void fn_delprogramitem(Runtime&, std::string&) { not_built_yet(); }
void fn_showprogramgroup(Runtime&, std::string&) { not_built_yet(); }

} // namespace vtx
