// The statements that do work rather than steer the script.
#pragma once

#include <string>
#include <string_view>

#include "engine/handler_tables.h"
#include "engine/text.h"

namespace vtx {

// Runs the statement that begins with statement keyword `keyword` (not a control keyword).
void run_command(Runtime& rt, int keyword);
// A statement that begins with any other token: a drive such as `A:`, or "unknown command".
void drive_change(Runtime& rt, const std::string& text);

// The statement and functions this folder defines, by file. The statement starts with its
// keyword current.
// engine/commands.cpp
void cmd_go(Runtime& rt);
// engine/string_functions.cpp
void fn_chr(Runtime& rt, std::string& result);
void fn_instr(Runtime& rt, std::string& result);
void fn_len(Runtime& rt, std::string& result);
void fn_substr(Runtime& rt, std::string& result);

inline constexpr CommandBinding kEngineCommands[] = {{KW_GO, cmd_go}};
inline constexpr FunctionBinding kEngineFunctions[] = {
    {FN_CHR, fn_chr},
    {FN_INSTR, fn_instr},
    {FN_LEN, fn_len},
    {FN_SUBSTR, fn_substr},
};

} // namespace vtx
