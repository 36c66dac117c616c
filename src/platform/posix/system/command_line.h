// How a command line breaks into program name and arguments: the rules of the Windows C
// runtime, so that a program started by RUN or SHELL sees the same arguments on both builds.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vtx {

// The first element is the program name and is always present (empty for an empty line).
// The name ends at the first blank or control character, or, when it starts with `"`, at
// the next `"`; backslashes in it are plain characters. The arguments after it are
// separated by blanks and tabs; `"` groups blanks into an argument; 2n backslashes before a
// `"` give n backslashes and the quote groups, 2n+1 give n backslashes and a literal `"`;
// `""` inside a group gives one `"` and the group goes on; other backslashes are plain; a
// group left open runs to the end of the line. Single quotes are plain characters.
std::vector<std::string> split_command_line(std::string_view line);

} // namespace vtx
