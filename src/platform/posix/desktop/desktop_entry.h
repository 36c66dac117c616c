// The text rules of XDG desktop entries and menus, for the program-group substitute.
#pragma once

#include <string>
#include <string_view>

namespace vtx::platform {

// The text as UTF-8: bytes that are not valid UTF-8 are read as Latin-1, the way scripts
// written on Windows spell accents.
std::string as_utf8(std::string_view text);

// A value as a desktop entry stores it: UTF-8 (bytes that are not valid UTF-8 are read as
// Latin-1, the way scripts written on Windows spell accents), with backslash, newline, tab,
// return and a leading blank escaped.
std::string desktop_value(std::string_view text);

// A command line as an Exec value: split into words at blanks outside double quotes, each
// word quoted when it holds a character Exec reserves, '%' doubled; then stored as a value.
std::string desktop_exec(std::string_view command_line);

// A file-name-safe id for a group or item name: A to Z folded (names compare case-blind),
// letters and digits kept, every other byte as "_XX" (hex), so different names never share
// an id.
std::string menu_id(std::string_view name);

} // namespace vtx::platform
