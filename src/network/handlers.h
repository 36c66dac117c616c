// The statements and functions this folder defines, by file, and their bindings.
#pragma once

#include <string>

#include "engine/handler_tables.h"

namespace vtx {

// network/settime_command.cpp
void cmd_settime(Runtime& rt);
// network/use_command.cpp
void cmd_use(Runtime& rt);
// network/message_functions.cpp
void fn_sendmessage(Runtime& rt, std::string& result);
// network/group_functions.cpp
void fn_ingroup(Runtime& rt, std::string& result);

inline constexpr CommandBinding kNetworkCommands[] = {{KW_SETTIME, cmd_settime}, {KW_USE, cmd_use}};
inline constexpr FunctionBinding kNetworkFunctions[] = {{FN_SENDMESSAGE, fn_sendmessage},
                                                        {FN_INGROUP, fn_ingroup}};

} // namespace vtx
