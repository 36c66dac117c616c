// Scripts saved as UTF-16 by an editor become the 8-bit text every other script is.
#pragma once

#include <string>
#include <string_view>

namespace vtx::platform {

// The UTF-16 code units as this platform's 8-bit script text: the ANSI code page on
// Windows (characters it lacks become its default character), UTF-8 on POSIX (a lone
// surrogate becomes U+FFFD).
std::string from_utf16(std::u16string_view units);

} // namespace vtx::platform
