#include "engine/script_location.h"

#include <algorithm>

#include "engine/tokenizer.h"

namespace vtx {

std::string_view script_body(const ScriptText& script) {
    // Without the two zero bytes that stop the tokenizer.
    return std::string_view(script.text.data(), script.text.size() - 2);
}

uint32_t line_number(std::string_view text, uint32_t pos) {
    std::size_t end = std::min<std::size_t>(pos, text.size());
    return uint32_t(std::count(text.begin(), text.begin() + std::ptrdiff_t(end), '\n')) + 1;
}

std::string_view line_at(std::string_view text, uint32_t pos) {
    if (pos > text.size()) pos = uint32_t(text.size());
    std::size_t end = pos;
    // Ctrl+Z and the closing zero end the last line as a newline would.
    while (end < text.size() && text[end] != '\n' && text[end] != 26 && text[end] != '\0') ++end;
    std::size_t begin = end == 0 ? std::string_view::npos : text.rfind('\n', end - 1);
    begin = begin == std::string_view::npos ? 0 : begin + 1;
    return text.substr(begin, end - begin);
}

uint32_t column_number(std::string_view text, uint32_t pos) {
    return uint32_t(pos - std::size_t(line_at(text, pos).data() - text.data())) + 1;
}

} // namespace vtx
