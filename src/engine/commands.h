// The statements that do work rather than steer the script.
#pragma once

#include <string>
#include <string_view>

#include "engine/handler_tables.h"

namespace vtx {

// A drive word: one letter and a colon (`A:`, `x:`).
bool is_drive_word(std::string_view word);
// Runs the statement that begins with statement keyword `keyword` (not a control keyword).
void run_command(Runtime& rt, int keyword);
// A statement that begins with any other token: a drive such as `A:`, or "unknown command".
void drive_change(Runtime& rt, const std::string& text);

// The statements this folder defines, by file. Each starts with its keyword current.
// engine/console_commands.cpp
void cmd_at(Runtime& rt);
void cmd_beep(Runtime& rt);
void cmd_big(Runtime& rt);
void cmd_box(Runtime& rt);
void cmd_break(Runtime& rt);
void cmd_cls(Runtime& rt);
void cmd_color(Runtime& rt);
void cmd_flushkb(Runtime& rt);
void cmd_get(Runtime& rt);
void cmd_gets(Runtime& rt);
void cmd_newline(Runtime& rt);
void cmd_small(Runtime& rt);
// engine/commands.cpp
void cmd_go(Runtime& rt);
// engine/file_commands.cpp
void cmd_cd(Runtime& rt);
void cmd_md(Runtime& rt);
void cmd_del(Runtime& rt);
void cmd_display(Runtime& rt);
// engine/program_commands.cpp
void cmd_run(Runtime& rt);
void cmd_shell(Runtime& rt);
// engine/environment_commands.cpp
void cmd_setl(Runtime& rt);
void cmd_sleep(Runtime& rt);
void cmd_password(Runtime& rt);
// engine/use_command.cpp
void cmd_use(Runtime& rt);

inline constexpr CommandBinding kEngineCommands[] = {
    {KW_AT, cmd_at},           {KW_BEEP, cmd_beep},
    {KW_BIG, cmd_big},         {KW_BOX, cmd_box},
    {KW_BREAK, cmd_break},     {KW_CLS, cmd_cls},
    {KW_COLOR, cmd_color},     {KW_FLUSHKB, cmd_flushkb},
    {KW_GET, cmd_get},         {KW_GETS, cmd_gets},
    {KW_PRINT, cmd_newline},   {KW_SMALL, cmd_small},
    {KW_GO, cmd_go},           {KW_CD, cmd_cd},
    {KW_MD, cmd_md},           {KW_DEL, cmd_del},
    {KW_DISPLAY, cmd_display}, {KW_RUN, cmd_run},
    {KW_SHELL, cmd_shell},     {KW_SETL, cmd_setl},
    {KW_SLEEP, cmd_sleep},     {KW_PASSWORD, cmd_password},
    {KW_USE, cmd_use},
};

} // namespace vtx
