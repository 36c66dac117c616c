// Reading the statement shapes of VTX32_KEYWORDS (engine/tokens.h): the checker walks a
// statement by them and the syntax test writes statements from them.
#pragma once

#include <string_view>
#include <vector>

namespace vtx {

// The parts of a sequence, split at the spaces outside brackets: "[FILE] E" -> "[FILE]", "E".
std::vector<std::string_view> syntax_parts(std::string_view sequence);
// The alternatives of a shape, split at the bars outside brackets.
std::vector<std::string_view> syntax_alternatives(std::string_view shape);
// The inside of an optional part "[...]", or an empty view for any other part.
std::string_view syntax_optional(std::string_view part);

} // namespace vtx
