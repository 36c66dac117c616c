// The names the expansions know in a text: the macros and whole variable names. Apart from
// the expansions, so the checker reads the names without linking what the values come from.
#pragma once

#include <cstddef>
#include <string_view>

namespace vtx {

// Every macro, once, in matching order (a name matches as a prefix and the first match wins):
// its name (also its id, M_name), the kind of its value and where the value comes from:
//   TEXT    a text field of the user record, NUMBER a number field of it (in decimal),
//   LOOKUP  a text field the host lookup fills on first use,
//   OWN     the function of that name in engine/macros.cpp.
// Only the expansion reads the last two columns; the checker knows the names alone.
#define VTX32_MACROS(X)                                                                            \
    X(ADDRESS, TEXT, adapter_address)                                                              \
    X(COMMENT, TEXT, comment)                                                                      \
    X(DATE, OWN, date_value)                                                                       \
    X(DAY, OWN, day_name)                                                                          \
    X(DOMAIN, TEXT, domain)                                                                        \
    X(DOS, OWN, system_version)                                                                    \
    X(ERROR, OWN, error_value)                                                                     \
    X(FULLNAME, TEXT, full_name)                                                                   \
    X(HOMEDIR, TEXT, home_dir)                                                                     \
    X(HOMESHR, TEXT, home_share)                                                                   \
    X(HOSTNAME, LOOKUP, host_name)                                                                 \
    X(INWIN, OWN, system_line)                                                                     \
    X(IPADDRESS0, LOOKUP, ip_address[0])                                                           \
    X(IPADDRESS1, LOOKUP, ip_address[1])                                                           \
    X(IPADDRESS2, LOOKUP, ip_address[2])                                                           \
    X(IPADDRESS3, LOOKUP, ip_address[3])                                                           \
    X(VTX, OWN, program_version)                                                                   \
    X(LANROOT, TEXT, lan_root)                                                                     \
    X(LDOMAIN, TEXT, logon_domain)                                                                 \
    X(LDRIVE, TEXT, logon_drive)                                                                   \
    X(LM, OWN, network_version)                                                                    \
    X(LSERVER, TEXT, logon_server)                                                                 \
    X(MAXPWAGE, NUMBER, max_password_age)                                                          \
    X(MDAYNO, OWN, month_day)                                                                      \
    X(MONTHNO, OWN, month_number)                                                                  \
    X(MONTH, OWN, month_name)                                                                      \
    X(PRIV, OWN, privilege_name)                                                                   \
    X(PWAGE, NUMBER, password_age)                                                                 \
    X(TIME, OWN, time_value)                                                                       \
    X(USERID, TEXT, user_id)                                                                       \
    X(WDAYNO, OWN, week_day)                                                                       \
    X(WKSTA, TEXT, workstation)                                                                    \
    X(YDAYNO, OWN, year_day)                                                                       \
    X(YEAR, OWN, year_value)

enum Macro {
#define VTX32_MACRO_ID(name, kind, source) M_##name,
    VTX32_MACROS(VTX32_MACRO_ID)
#undef VTX32_MACRO_ID
        M_COUNT
};

inline constexpr const char* kMacroNames[M_COUNT] = {
#define VTX32_MACRO_NAME(name, kind, source) #name,
    VTX32_MACROS(VTX32_MACRO_NAME)
#undef VTX32_MACRO_NAME
};

// A longer name must come before the shorter one it starts with, or it never matches.
constexpr bool macro_names_match_in_order() {
    for (int i = 0; i < M_COUNT; ++i)
        for (int j = i + 1; j < M_COUNT; ++j)
            if (std::string_view(kMacroNames[j]).starts_with(kMacroNames[i])) return false;
    return true;
}
static_assert(macro_names_match_in_order(), "a longer macro name must come before its prefix");

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
