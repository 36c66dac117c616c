// Finding a computer the way the domain names it (DNS or the hosts file), for the tools that
// would otherwise look only with NetBIOS.
#pragma once

#include <string>

namespace vtx::platform {

// `name` without leading backslashes; empty when nothing is left or it starts with '-' (it
// would read as an option to the tool it is given to).
std::string computer_name(const std::string& name);

// The computer's first IPv4 address as text; empty when DNS and the hosts file do not know
// it.
std::string ipv4_address_of(const std::string& host);

} // namespace vtx::platform
