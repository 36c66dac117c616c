// Bounded text helpers: copies and appends that keep the text limit as a script error.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/text_rules.h"

namespace vtx {

// Script error 9 when the result would not fit: copy needs <= 31999 characters, the
// appends keep one more character free (sum + 1 must not exceed 31999).
void bounded_copy(std::string& dst, std::string_view src);
void bounded_append(std::string& dst, std::string_view src);
void bounded_append_n(std::string& dst, std::string_view src, std::size_t n);

// A drive word: one letter and a colon (`A:`, `x:`).
inline bool is_drive_word(std::string_view word) {
    char c = word.size() == 2 ? fold(word[0]) : 0;
    return c >= 'a' && c <= 'z' && word[1] == ':';
}

} // namespace vtx
