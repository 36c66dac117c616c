// Every folder's table of handlers, in one list: the dispatch tables are built from it.
#pragma once

#include <span>

#include "console/handlers.h"
#include "engine/commands.h"
#include "network/handlers.h"
#include "registry/handlers.h"
#include "shell/handlers.h"
#include "system/handlers.h"

namespace vtx {

inline constexpr std::span<const CommandBinding> kCommandTables[] = {
    kEngineCommands,   kConsoleCommands, kSystemCommands,
    kRegistryCommands, kShellCommands,   kNetworkCommands};
inline constexpr std::span<const FunctionBinding> kFunctionTables[] = {
    kEngineFunctions, kSystemFunctions, kRegistryFunctions, kShellFunctions, kNetworkFunctions};

} // namespace vtx
