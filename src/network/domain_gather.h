// The domain facts of a user whose account belongs to a domain (a Linux workstation joined
// through winbind or sssd).
#pragma once

#include <string>
#include <vector>

#include "engine/user_info.h"

namespace vtx {

// For an account named with its domain ("DOMAIN\user", "user@realm"): the bare user name,
// the logon domain, the workstation's domain, the logon server and drive (unless a logon
// server is already known) and the groups split into domain groups and local ones, asking
// winbind, DNS and the Kerberos and sssd configuration in that order. `nss_groups` are the
// names the name service gave. Does nothing, and asks nothing, for a plain local name.
void gather_domain_facts(const std::string& account, const std::vector<std::string>& nss_groups,
                         UserInfo& user);

} // namespace vtx
