// The base text rules every layer shares: the text limit, the one case-blind compare and
// the one text-to-integer rule. Nothing here raises a script error.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace vtx {

// A text holds at most this many characters (a 32000-byte buffer with its terminator).
inline constexpr std::size_t kMaxText = 31999;

// Case-blind over A to Z only: other bytes (accents, symbols) compare as they are.
inline char fold(char c) {
    return (c >= 'A' && c <= 'Z') ? char(c + 32) : c;
}
inline char upper(char c) {
    return (c >= 'a' && c <= 'z') ? char(c - 32) : c;
}
bool equal_nocase(std::string_view a, std::string_view b);
// True when `text` starts with `prefix`, case-blind.
bool starts_nocase(std::string_view text, std::string_view prefix);
// Byte order after folding A to Z to lower case: <0, 0, >0.
int compare_nocase(std::string_view a, std::string_view b);
std::string fold_copy(std::string_view s);
std::string upper_copy(std::string_view s);

// Leading blanks, one sign, decimal digits up to the first non-digit; wraps modulo 2^32.
int32_t text_to_int(std::string_view s);
// "%ld" of a signed 32-bit value, appended.
void append_int(std::string& out, int32_t v);
std::string format_int(int32_t v);

// What a terminal makes of the bytes 0x80 to 0x9F.
enum class HighBytes {
    utf8,    // a UTF-8 locale: C2 80 to C2 9F are the C1 controls
    c1,      // another locale: the bytes themselves are the C1 controls
    letters, // a code page with letters there, on a console that acts on no C1 control
};

// `text` as it may be copied from a script to someone's terminal: every control character
// shown as `cat -v` shows it (^[ for ESC, ^? for DEL, M-^[ for the C1 control 0x9B in
// either form); tabs and line feeds stay.
std::string visible_controls(std::string_view text, HighBytes high);

} // namespace vtx
