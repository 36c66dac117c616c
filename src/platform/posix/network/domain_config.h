// Reading the domain settings of Kerberos and sssd configuration files.
#pragma once

#include <string>
#include <string_view>

namespace vtx::platform {

// The value of `key` in `[section]` of an INI-style configuration text (krb5.conf,
// sssd.conf): blanks around names and values trimmed, '#' and ';' lines are comments,
// brace blocks are skipped. Empty when absent.
std::string config_value(std::string_view text, std::string_view section, std::string_view key);

} // namespace vtx::platform
