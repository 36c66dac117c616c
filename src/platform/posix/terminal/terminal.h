// The POSIX terminal behind the console: facts found once, and the modes that must be
// put back however the process ends.
#pragma once

#include <termios.h>

namespace vtx::platform {

// Standard output is a terminal (checked once).
bool output_is_terminal();
// The terminal's locale (LC_CTYPE from the environment) uses UTF-8 (checked once).
bool terminal_is_utf8();

// A read is about to change the input modes: `saved` is put back if the process ends
// before input_modes_restored() is called.
void input_modes_changed(const termios& saved);
void input_modes_restored();

// The script set colours: the terminal's defaults are put back when the process ends.
void colours_changed();

// A dialog takes the alternate screen and hides the cursor, and gives them back; both are
// given back too if the process ends in between.
void dialog_screen_enter();
void dialog_screen_leave();

} // namespace vtx::platform
