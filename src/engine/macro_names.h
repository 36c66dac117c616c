// The names the expansions know in a text: the macros and whole variable names. Apart from
// the expansions, so the checker reads the names without linking what the values come from.
#pragma once

#include <cstddef>
#include <string_view>

namespace vtx {

// Every macro, once, in matching order: a name matches as a prefix and the first match wins.
#define VTX32_MACROS(X)                                                                            \
    X(ADDRESS)                                                                                     \
    X(COMMENT)                                                                                     \
    X(DATE)                                                                                        \
    X(DAY)                                                                                         \
    X(DOMAIN)                                                                                      \
    X(DOS)                                                                                         \
    X(ERROR)                                                                                       \
    X(FULLNAME)                                                                                    \
    X(HOMEDIR)                                                                                     \
    X(HOMESHR)                                                                                     \
    X(HOSTNAME)                                                                                    \
    X(INWIN)                                                                                       \
    X(IPADDRESS0)                                                                                  \
    X(IPADDRESS1)                                                                                  \
    X(IPADDRESS2)                                                                                  \
    X(IPADDRESS3)                                                                                  \
    X(VTX)                                                                                         \
    X(LANROOT)                                                                                     \
    X(LDOMAIN)                                                                                     \
    X(LDRIVE)                                                                                      \
    X(LM)                                                                                          \
    X(LSERVER)                                                                                     \
    X(MAXPWAGE)                                                                                    \
    X(MDAYNO)                                                                                      \
    X(MONTHNO)                                                                                     \
    X(MONTH)                                                                                       \
    X(PRIV)                                                                                        \
    X(PWAGE)                                                                                       \
    X(TIME)                                                                                        \
    X(USERID)                                                                                      \
    X(WDAYNO)                                                                                      \
    X(WKSTA)                                                                                       \
    X(YDAYNO)                                                                                      \
    X(YEAR)

enum Macro {
#define VTX32_MACRO_ID(name) M_##name,
    VTX32_MACROS(VTX32_MACRO_ID)
#undef VTX32_MACRO_ID
        M_COUNT
};

inline constexpr const char* kMacroNames[M_COUNT] = {
#define VTX32_MACRO_NAME(name) #name,
    VTX32_MACROS(VTX32_MACRO_NAME)
#undef VTX32_MACRO_NAME
};

// A longer name must come before the shorter one it starts with, or it never matches.
static_assert(M_MONTHNO < M_MONTH);
// The address macros are one range: the value is the index of the address.
static_assert(M_IPADDRESS1 == M_IPADDRESS0 + 1 && M_IPADDRESS2 == M_IPADDRESS0 + 2 &&
              M_IPADDRESS3 == M_IPADDRESS0 + 3);

// The macro whose name starts `rest` (case-blind; the first in table order wins), or -1.
int match_macro(std::string_view rest);
// Its name's length, or 0 when no macro name starts `rest`.
std::size_t macro_name_length(std::string_view rest);
// A character of a variable name after its "$".
inline bool is_name_char(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}
// True when `name` is one whole variable name: "$" and name characters.
bool is_variable_name(std::string_view name);

} // namespace vtx
