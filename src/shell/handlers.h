// The statements and functions this folder defines, by file, and their bindings.
#pragma once

#include <string>

#include "engine/handler_tables.h"

namespace vtx {

// shell/play_command.cpp
void cmd_play(Runtime& rt);
// shell/program_group_functions.cpp
void fn_addprogramgroup(Runtime& rt, std::string& result);
void fn_addprogramitem(Runtime& rt, std::string& result);
void fn_delprogramgroup(Runtime& rt, std::string& result);
void fn_delprogramitem(Runtime& rt, std::string& result);
void fn_showprogramgroup(Runtime& rt, std::string& result);
// shell/desktop_functions.cpp
void fn_addprinterconnection(Runtime& rt, std::string& result);
void fn_delprinterconnection(Runtime& rt, std::string& result);
void fn_setdefaultprinter(Runtime& rt, std::string& result);
void fn_setwallpaper(Runtime& rt, std::string& result);
void fn_setconsole(Runtime& rt, std::string& result);
void fn_messagebox(Runtime& rt, std::string& result);
void fn_shutdown(Runtime& rt, std::string& result);
void fn_logoff(Runtime& rt, std::string& result);

inline constexpr CommandBinding kShellCommands[] = {{KW_PLAY, cmd_play}};

inline constexpr FunctionBinding kShellFunctions[] = {
    {FN_ADDPROGRAMGROUP, fn_addprogramgroup},
    {FN_ADDPROGRAMITEM, fn_addprogramitem},
    {FN_DELPROGRAMGROUP, fn_delprogramgroup},
    {FN_DELPROGRAMITEM, fn_delprogramitem},
    {FN_SHOWPROGRAMGROUP, fn_showprogramgroup},
    {FN_ADDPRINTERCONNECTION, fn_addprinterconnection},
    {FN_DELPRINTERCONNECTION, fn_delprinterconnection},
    {FN_SETDEFAULTPRINTER, fn_setdefaultprinter},
    {FN_SETWALLPAPER, fn_setwallpaper},
    {FN_SETCONSOLE, fn_setconsole},
    {FN_MESSAGEBOX, fn_messagebox},
    {FN_SHUTDOWN, fn_shutdown},
    {FN_LOGOFF, fn_logoff},
};

} // namespace vtx
