#include "builtins/handlers.h"
#include "engine/unbuilt.h"

namespace vtx {

void fn_sendmessage(Runtime&, std::string&) { not_built_yet(); }

} // namespace vtx
