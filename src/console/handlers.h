// The statements this folder defines, by file, and their bindings.
#pragma once

#include "engine/handler_tables.h"

namespace vtx {

// Each starts with its keyword current.
// console/console_commands.cpp
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

inline constexpr CommandBinding kConsoleCommands[] = {
    {KW_AT, cmd_at},       {KW_BEEP, cmd_beep}, {KW_BIG, cmd_big},       {KW_BOX, cmd_box},
    {KW_BREAK, cmd_break}, {KW_CLS, cmd_cls},   {KW_COLOR, cmd_color},   {KW_FLUSHKB, cmd_flushkb},
    {KW_GET, cmd_get},     {KW_GETS, cmd_gets}, {KW_PRINT, cmd_newline}, {KW_SMALL, cmd_small},
};

} // namespace vtx
