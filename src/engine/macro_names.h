// The names the expansions know in a text: the macros and whole variable names. Apart from
// the expansions, so the checker reads the names without linking what the values come from.
#pragma once

#include <cstddef>
#include <string_view>

namespace vtx {

// Every macro, once, in matching order (a name matches as a prefix and the first match wins):
// its name (also its id, M_name), the kind of its value, where the value comes from:
//   TEXT    a text field of the user record, NUMBER a number field of it (in decimal),
//   OWN     the function of that name in engine/macros.cpp,
// and the costly user facts (UserFact bits) the value needs, read on the macro's first use.
// Only the expansion reads the last three columns; the checker knows the names alone.
#define VTX32_MACROS(X)                                                                            \
    X(ADDRESS, TEXT, adapter_address, kFactAdapter)                                                \
    X(COMMENT, TEXT, comment, 0)                                                                   \
    X(DATE, OWN, date_value, 0)                                                                    \
    X(DAY, OWN, day_name, 0)                                                                       \
    X(DOMAIN, TEXT, domain, kFactHostDomain)                                                       \
    X(DOS, OWN, system_version, 0)                                                                 \
    X(ERROR, OWN, error_value, 0)                                                                  \
    X(FULLNAME, TEXT, full_name, 0)                                                                \
    X(HOMEDIR, TEXT, home_dir, 0)                                                                  \
    X(HOMESHR, TEXT, home_share, 0)                                                                \
    X(HOSTNAME, TEXT, host_name, kFactAddresses)                                                   \
    X(INWIN, OWN, system_line, 0)                                                                  \
    X(IPADDRESS0, TEXT, ip_address[0], kFactAddresses)                                             \
    X(IPADDRESS1, TEXT, ip_address[1], kFactAddresses)                                             \
    X(IPADDRESS2, TEXT, ip_address[2], kFactAddresses)                                             \
    X(IPADDRESS3, TEXT, ip_address[3], kFactAddresses)                                             \
    X(VTX, OWN, program_version, 0)                                                                \
    X(LANROOT, TEXT, lan_root, 0)                                                                  \
    X(LDOMAIN, TEXT, logon_domain, kFactHostDomain)                                                \
    X(LDRIVE, TEXT, logon_drive, 0)                                                                \
    X(LM, OWN, network_version, 0)                                                                 \
    X(LSERVER, TEXT, logon_server, 0)                                                              \
    X(MAXPWAGE, NUMBER, max_password_age, 0)                                                       \
    X(MDAYNO, OWN, month_day, 0)                                                                   \
    X(MONTHNO, OWN, month_number, 0)                                                               \
    X(MONTH, OWN, month_name, 0)                                                                   \
    X(PRIV, OWN, privilege_name, kFactGroups)                                                      \
    X(PWAGE, NUMBER, password_age, 0)                                                              \
    X(TIME, OWN, time_value, 0)                                                                    \
    X(USERID, TEXT, user_id, 0)                                                                    \
    X(WDAYNO, OWN, week_day, 0)                                                                    \
    X(WKSTA, TEXT, workstation, 0)                                                                 \
    X(YDAYNO, OWN, year_day, 0)                                                                    \
    X(YEAR, OWN, year_value, 0)

enum Macro {
#define VTX32_MACRO_ID(name, kind, source, facts) M_##name,
    VTX32_MACROS(VTX32_MACRO_ID)
#undef VTX32_MACRO_ID
        M_COUNT
};

inline constexpr const char* kMacroNames[M_COUNT] = {
#define VTX32_MACRO_NAME(name, kind, source, facts) #name,
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
