#include "builtins/handlers.h"
#include "engine/unbuilt.h"

namespace vtx {

void fn_close(Runtime&, std::string&) { not_built_yet(); }
void fn_exist(Runtime&, std::string&) { not_built_yet(); }
void fn_open(Runtime&, std::string&) { not_built_yet(); }
void fn_readline(Runtime&, std::string&) { not_built_yet(); }
void fn_redirectoutput(Runtime&, std::string&) { not_built_yet(); }

} // namespace vtx
