// The statements and functions this folder defines, by file, and their bindings.
#pragma once

#include <string>

#include "engine/handler_tables.h"

namespace vtx {

// system/file_commands.cpp
void cmd_cd(Runtime& rt);
void cmd_md(Runtime& rt);
void cmd_del(Runtime& rt);
void cmd_display(Runtime& rt);
// system/program_commands.cpp
void cmd_run(Runtime& rt);
void cmd_shell(Runtime& rt);
// system/environment_commands.cpp
void cmd_setl(Runtime& rt);
void cmd_sleep(Runtime& rt);
void cmd_password(Runtime& rt);
// system/file_functions.cpp
void fn_close(Runtime& rt, std::string& result);
void fn_exist(Runtime& rt, std::string& result);
void fn_open(Runtime& rt, std::string& result);
void fn_readline(Runtime& rt, std::string& result);
void fn_redirectoutput(Runtime& rt, std::string& result);
// system/profile_functions.cpp
void fn_readprofilestring(Runtime& rt, std::string& result);
void fn_writeprofilestring(Runtime& rt, std::string& result);

inline constexpr CommandBinding kSystemCommands[] = {
    {KW_CD, cmd_cd},           {KW_MD, cmd_md},       {KW_DEL, cmd_del},
    {KW_DISPLAY, cmd_display}, {KW_RUN, cmd_run},     {KW_SHELL, cmd_shell},
    {KW_SETL, cmd_setl},       {KW_SLEEP, cmd_sleep}, {KW_PASSWORD, cmd_password},
};

inline constexpr FunctionBinding kSystemFunctions[] = {
    {FN_CLOSE, fn_close},
    {FN_EXIST, fn_exist},
    {FN_OPEN, fn_open},
    {FN_READLINE, fn_readline},
    {FN_REDIRECTOUTPUT, fn_redirectoutput},
    {FN_READPROFILESTRING, fn_readprofilestring},
    {FN_WRITEPROFILESTRING, fn_writeprofilestring},
};

} // namespace vtx
