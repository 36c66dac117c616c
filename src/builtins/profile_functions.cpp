#include "builtins/handlers.h"
#include "engine/unbuilt.h"

namespace vtx {

void fn_readprofilestring(Runtime&, std::string&) { not_built_yet(); }
void fn_writeprofilestring(Runtime&, std::string&) { not_built_yet(); }

} // namespace vtx
