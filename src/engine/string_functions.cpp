#include <algorithm>
#include <functional>

#include "engine/arguments.h"
#include "engine/commands.h"
#include "engine/text.h"

namespace vtx {

void fn_substr(Runtime& rt, std::string& result) {
    std::string text;
    int32_t start = 0, length = 0;
    function_arguments<FN_SUBSTR>(rt, text, start, length);
    // In 64 bits so that no start and length can wrap. A start past the end or a length
    // below 1 takes nothing.
    int64_t end = std::min<int64_t>(int64_t(start) + length, int64_t(text.size()) + 1);
    if (start >= 1 && end > start)
        bounded_append(result, std::string_view(text).substr(std::size_t(start - 1),
                                                             std::size_t(end - start)));
}

void fn_instr(Runtime& rt, std::string& result) {
    std::string text, sought;
    function_arguments<FN_INSTR>(rt, text, sought);
    if (text.empty()) return;
    if (sought.empty()) return append_int(result, 1);
    // Horspool over folded bytes: a hostile 16000-character needle stays fast.
    auto hash = [](char c) { return std::hash<char>()(fold(c)); };
    auto same = [](char a, char b) { return fold(a) == fold(b); };
    std::boyer_moore_horspool_searcher search(sought.begin(), sought.end(), hash, same);
    auto found = std::search(text.begin(), text.end(), search);
    if (found != text.end()) append_int(result, int32_t(found - text.begin() + 1));
}

void fn_len(Runtime& rt, std::string& result) {
    std::string text;
    function_arguments<FN_LEN>(rt, text);
    append_int(result, int32_t(text.size()));
}

void fn_chr(Runtime& rt, std::string& result) {
    int32_t code = 0;
    function_arguments<FN_CHR>(rt, code);
    char c = char(code & 0xFF);
    if (c != '\0') bounded_append(result, std::string_view(&c, 1));
}

} // namespace vtx
