#include "engine/functions.h"

#include <algorithm>

#include "platform/text_rules.h"

namespace vtx {

namespace {

// The shortest and longest names: a word outside them is no function, without a search.
constexpr std::size_t name_length(bool longest) {
    std::size_t n = longest ? 0 : SIZE_MAX;
    for (const FunctionName& f : kFunctionNames) {
        std::size_t len = std::string_view(f.name).size();
        n = longest ? std::max(n, len) : std::min(n, len);
    }
    return n;
}
constexpr std::size_t kShortest = name_length(false);
constexpr std::size_t kLongest = name_length(true);

} // namespace

int find_function(std::string_view word) {
    if (word.size() < kShortest || word.size() > kLongest) return -1;
    for (int i = 0; i < FN_COUNT; ++i)
        if (equal_nocase(word, kFunctionNames[i].name)) return i;
    return -1;
}

} // namespace vtx
