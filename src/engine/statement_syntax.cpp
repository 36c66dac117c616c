#include "engine/statement_syntax.h"

namespace vtx {

namespace {

std::vector<std::string_view> split_outside_brackets(std::string_view text, char separator) {
    std::vector<std::string_view> pieces;
    int depth = 0;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        char c = i < text.size() ? text[i] : separator;
        if (c == '[' || c == '(') ++depth;
        if (c == ']' || c == ')') --depth;
        if (c != separator || depth > 0) continue;
        std::string_view piece = text.substr(start, i - start);
        while (!piece.empty() && piece.front() == ' ') piece.remove_prefix(1);
        while (!piece.empty() && piece.back() == ' ') piece.remove_suffix(1);
        if (!piece.empty()) pieces.push_back(piece);
        start = i + 1;
    }
    return pieces;
}

} // namespace

std::vector<std::string_view> syntax_parts(std::string_view sequence) {
    return split_outside_brackets(sequence, ' ');
}

std::vector<std::string_view> syntax_alternatives(std::string_view shape) {
    return split_outside_brackets(shape, '|');
}

std::string_view syntax_optional(std::string_view part) {
    return part.size() >= 2 && part.front() == '[' && part.back() == ']'
               ? part.substr(1, part.size() - 2)
               : std::string_view();
}

} // namespace vtx
