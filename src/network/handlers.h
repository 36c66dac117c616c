// The statements and functions this folder defines, by file, and their bindings.
#pragma once

#include <string>

#include "engine/handler_tables.h"

namespace vtx {

// network/settime_command.cpp
void cmd_settime(Runtime& rt);
// network/message_functions.cpp
void fn_sendmessage(Runtime& rt, std::string& result);

inline constexpr CommandBinding kNetworkCommands[] = {{KW_SETTIME, cmd_settime}};
inline constexpr FunctionBinding kNetworkFunctions[] = {{FN_SENDMESSAGE, fn_sendmessage}};

} // namespace vtx
