// Every folder's table of handlers, in one list: the dispatch tables are built from it.
#pragma once

#include <span>

#include "builtins/handlers.h"
#include "engine/commands.h"
#include "network/handlers.h"
#include "registry/commands.h"
#include "shell/handlers.h"

namespace vtx {

inline constexpr std::span<const CommandBinding> kCommandTables[] = {
    kEngineCommands, kRegistryCommands, kShellCommands, kNetworkCommands};
inline constexpr std::span<const FunctionBinding> kFunctionTables[] = {
    kBuiltinFunctions, kShellFunctions, kNetworkFunctions};

} // namespace vtx
