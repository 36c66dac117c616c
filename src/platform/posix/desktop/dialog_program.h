// The desktop's dialog program (zenity, recommended by the package), found at run time: it
// shows a message box where no terminal and no notification server with actions can, and
// asks for the keys a script reads when it has no input at all.
#pragma once

#include <cstdint>
#include <string>

namespace vtx::platform {

// The box, as notification_box answers it (Esc and closing the window give the box's Esc
// answer); false when there is no display or no dialog program (nothing was shown).
bool dialog_program_box(const std::string& text, const std::string& title, uint32_t style,
                        uint32_t timeout_seconds, int32_t& answer);

// A line typed into a dialog: true and the line; false when it was cancelled or could not
// be shown.
bool dialog_program_line(std::string& line);

// Standard input is /dev/null (or was closed, which start-up turns into /dev/null), no
// terminal shows the output, and a display is there for a dialog.
bool dialog_keys_wanted();

} // namespace vtx::platform
