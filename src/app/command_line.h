// The words of the command line that the program and the checker read alike.
#pragma once

#include <string>

namespace vtx {

// True for an argument that asks for the usage text: /h..., /?... and on POSIX --help and
// -h. On POSIX an argument with a '/' after its first character is a path
// (/home/alice/logon.scr), never a switch.
bool is_help_switch(const std::string& arg);

// A script name with ".SCR" appended when its last path component holds no dot. Components
// end at a backslash, and on POSIX, whose paths the shell hands over with slashes, also at a
// slash.
std::string script_file_name(const std::string& arg);

} // namespace vtx
