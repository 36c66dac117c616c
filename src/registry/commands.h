// The statements this folder defines and their bindings.
#pragma once

#include "engine/handler_tables.h"

namespace vtx {

// registry/environment_keys.cpp
void cmd_set(Runtime& rt);
void cmd_setm(Runtime& rt);

inline constexpr CommandBinding kRegistryCommands[] = {{KW_SET, cmd_set}, {KW_SETM, cmd_setm}};

} // namespace vtx
