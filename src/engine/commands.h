// The statements that do work rather than steer the script.
#pragma once

#include <string>

namespace vtx {

struct Runtime;

// Runs the statement that begins with statement keyword `keyword` (not a control keyword).
void run_command(Runtime& rt, int keyword);
// A statement that begins with any other token: a drive such as `A:`, or "unknown command".
void drive_change(Runtime& rt, const std::string& text);

// Statement handlers, by the file that defines them. Each starts with its keyword current.
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
// registry/environment_keys.cpp
void cmd_set(Runtime& rt);
void cmd_setm(Runtime& rt);
// shell/play_command.cpp
void cmd_play(Runtime& rt);
// network/settime_command.cpp
void cmd_settime(Runtime& rt);

} // namespace vtx
