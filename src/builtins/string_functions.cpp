#include "builtins/handlers.h"
#include "engine/unbuilt.h"

namespace vtx {

void fn_chr(Runtime&, std::string&) { not_built_yet(); }
void fn_instr(Runtime&, std::string&) { not_built_yet(); }
void fn_len(Runtime&, std::string&) { not_built_yet(); }
void fn_substr(Runtime&, std::string&) { not_built_yet(); }

} // namespace vtx
