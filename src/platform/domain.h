// What a domain member learns from the domain's own services, asked only for an account
// that belongs to a domain. POSIX: winbind through libwbclient (loaded at first use, never
// linked), DNS SRV records, the Kerberos and sssd configuration. Windows: the account path
// already answers all of this, so every call returns 50 and leaves its outputs alone.
// Each call that asks a service waits at most one second for it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vtx::platform {

// The NetBIOS name of the workstation's domain as winbind reports it: 0; 50 without
// libwbclient; 1355 when winbind does not answer; 1460 after the time limit.
int32_t winbind_own_domain(std::string& netbios);

// The NetBIOS and DNS names of a domain given by either name: 0 or a status as above.
int32_t winbind_domain_names(const std::string& domain, std::string& netbios, std::string& dns);

// The domain controller winbind finds for a domain, as winbind writes it ("\\DC1" or a DNS
// host name): 0 or a status as above.
int32_t winbind_domain_controller(const std::string& domain, std::string& controller);

// The account's groups, domain groups and local aliases alike, each "DOMAIN\name"
// (BUILTIN\... for the aliases): 0 or a status as above.
int32_t winbind_user_groups(const std::string& account, std::vector<std::string>& groups);

// The host name the SRV record _ldap._tcp.dc._msdcs.REALM names first (lowest priority,
// then highest weight): 0; 1355 when there is no such record; 1460 after the time limit.
int32_t dns_domain_controller(const std::string& realm, std::string& host);

// default_realm of the Kerberos configuration (KRB5_CONFIG, else /etc/krb5.conf); empty
// when there is none.
std::string kerberos_default_realm();

// The first domain the sssd configuration serves; empty when there is none or the file
// cannot be read (it is readable by root only).
std::string sssd_domain();

} // namespace vtx::platform
