#include "engine/macro_names.h"

#include <algorithm>
#include <cstring>

#include "platform/text_rules.h"

namespace vtx {

int match_macro(std::string_view rest) {
    for (int i = 0; i < M_COUNT; ++i)
        if (starts_nocase(rest, kMacroNames[i])) return i;
    return -1;
}

std::size_t macro_name_length(std::string_view rest) {
    int macro = match_macro(rest);
    return macro < 0 ? 0 : std::strlen(kMacroNames[macro]);
}

bool is_variable_name(std::string_view name) {
    return name.size() >= 2 && name[0] == '$' && name[1] != '$' &&
           std::all_of(name.begin() + 1, name.end(), is_name_char);
}

} // namespace vtx
