#include "engine/text.h"

#include "engine/script_error.h"

namespace vtx {

void bounded_copy(std::string& dst, std::string_view src) {
    if (src.size() > kMaxText) throw ScriptError(kErrTooLong);
    dst.assign(src.data(), src.size());
}

void bounded_append(std::string& dst, std::string_view src) {
    // Stricter by one than the copy: the language stops an appended text at 31998 characters.
    if (dst.size() + src.size() + 1 > kMaxText) throw ScriptError(kErrTooLong);
    dst.append(src.data(), src.size());
}

void bounded_append_n(std::string& dst, std::string_view src, std::size_t n) {
    if (n + dst.size() + 1 > kMaxText) throw ScriptError(kErrTooLong);
    dst.append(src.data(), n < src.size() ? n : src.size());
}

} // namespace vtx
