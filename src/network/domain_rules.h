// How a domain account's facts (a Linux workstation joined through winbind or sssd) enter
// the user-information record; pure, so that both reading and assembly use the same rule.
#pragma once

#include <string>
#include <vector>

#include "engine/user_info.h"
#include "network/domain_names.h"
#include "network/user_sources.h"

namespace vtx {

// The account's realm: its own for user@realm, else winbind's DNS name of the domain, else
// the Kerberos default realm; as written, not folded.
std::string account_realm(const QualifiedName& account, const DomainFacts& domain);

// For an account named with its domain ("DOMAIN\user", "user@realm"): the bare user name,
// the logon domain, the workstation's domain, the logon server and drive (unless a logon
// server is already known) and the groups split into domain groups and local ones.
// `nss_groups` are the names the name service gave. A plain local name changes nothing.
void apply_domain_facts(const std::string& account, const std::vector<std::string>& nss_groups,
                        const DomainFacts& domain, UserInfo& user);

} // namespace vtx
