// The traps inside a literal text: what its @, % and $ will do when the text is expanded.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vtx {

struct TextFinding {
    std::size_t offset; // in the text
    bool error;
    std::string text;
};

// An @ that names no macro is an error (the script stops with "unknown macro"); an @ whose
// macro name runs on into more letters, and a %...% pair that cannot be an environment
// name, are warnings.
std::vector<TextFinding> check_text(std::string_view text);

// The $names a text expands, in order (`$$` is a dollar sign).
std::vector<std::string_view> variables_in_text(std::string_view text);

} // namespace vtx
