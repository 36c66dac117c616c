// Where a position of a loaded script lies: its line number and the text of its line.
#pragma once

#include <cstdint>
#include <string_view>

namespace vtx {

// The script text without its two terminating zero bytes.
struct ScriptText;
std::string_view script_body(const ScriptText& script);

// The 1-based line that holds `pos` (positions past the end count as the last line).
uint32_t line_number(std::string_view text, uint32_t pos);

// The line that holds `pos`, without its line end; a Ctrl+Z or a zero byte ends it too.
std::string_view line_at(std::string_view text, uint32_t pos);
// The 1-based column of `pos` in that line.
uint32_t column_number(std::string_view text, uint32_t pos);

} // namespace vtx
