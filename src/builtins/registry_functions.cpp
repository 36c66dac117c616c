#include "builtins/handlers.h"
#include "engine/unbuilt.h"

namespace vtx {

void fn_addkey(Runtime&, std::string&) { not_built_yet(); }
void fn_delkey(Runtime&, std::string&) { not_built_yet(); }
void fn_deltree(Runtime&, std::string&) { not_built_yet(); }
void fn_delvalue(Runtime&, std::string&) { not_built_yet(); }
void fn_enumkey(Runtime&, std::string&) { not_built_yet(); }
void fn_enumvalue(Runtime&, std::string&) { not_built_yet(); }
void fn_existkey(Runtime&, std::string&) { not_built_yet(); }
void fn_loadkey(Runtime&, std::string&) { not_built_yet(); }
void fn_readtype(Runtime&, std::string&) { not_built_yet(); }
void fn_readvalue(Runtime&, std::string&) { not_built_yet(); }
void fn_savekey(Runtime&, std::string&) { not_built_yet(); }
void fn_writevalue(Runtime&, std::string&) { not_built_yet(); }

} // namespace vtx
