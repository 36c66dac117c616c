// The command texts of the program-group server's DDE interface. Command lines and paths go
// in unchanged (the script knows what it sends); group and item names are data, quoted
// where they hold a field's delimiters. A command is "" when a name holds what no field can
// carry (a double quote, a line break): such a command is never sent.
#pragma once

#include <cstdint>
#include <string>

namespace vtx {

// The command buffer holds 2048 bytes with the terminating zero: a longer text is not sent.
inline constexpr std::size_t kMaxProgmanCommand = 2047;

struct ProgramItem {
    std::string command_line;
    std::string name;
    std::string icon_file;
    int32_t icon_index = 0;
    std::string working_dir;
    int32_t minimize = 0;        // 0 or 1
    int32_t separate_memory = 0; // 0 or 1; the 9x line's form has no such field
};

std::string create_group_command(const std::string& name, int32_t common);
std::string delete_group_command(const std::string& name, int32_t common);
// A show command outside 1 to 8 becomes 1 (show normally).
std::string show_group_command(const std::string& name, int32_t show, int32_t common);
std::string replace_item_command(const std::string& name);
std::string add_item_command(const ProgramItem& item, bool nt_form);
std::string delete_item_command(const std::string& name);

} // namespace vtx
