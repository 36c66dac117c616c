// Reads the command texts the program-group server takes over DDE, so that the POSIX
// substitute carries out exactly what the Windows build sends.
#pragma once

#include <string>
#include <vector>

namespace vtx::platform {

struct ProgmanCommand {
    std::string verb;                // "CreateGroup", "AddItem", ...
    std::vector<std::string> fields; // trimmed; a quoted field keeps its commas and blanks
};

// "[Verb( a , b )]": true and the parts; false for text of any other shape.
bool parse_progman_command(const std::string& text, ProgmanCommand& command);

} // namespace vtx::platform
