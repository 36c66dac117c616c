#include "builtins/handlers.h"
#include "engine/unbuilt.h"

namespace vtx {

void fn_ingroup(Runtime&, std::string&) { not_built_yet(); }

} // namespace vtx
