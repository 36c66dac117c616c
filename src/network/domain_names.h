// How domain account and group names are read on a domain member: the rules that turn the
// name service's qualified names into what scripts see; shared by both builds.
#pragma once

#include <string>
#include <string_view>

namespace vtx {

// An account name as the name service gives it: "DOMAIN\user" (winbind) or "user@realm"
// (sssd). `domain` is empty for a plain local name.
struct QualifiedName {
    std::string domain;
    std::string user;
    bool realm_form = false; // user@realm: `domain` is a DNS name, not a NetBIOS one
};
QualifiedName split_account_name(std::string_view name);

// The first label of a host or domain name in upper case, leading backslashes dropped:
// "dc1.example.test" and "\\dc1" give "DC1", "example.test" gives "EXAMPLE". This is how
// Windows writes a controller's name and how a realm becomes a NetBIOS name when nobody
// says otherwise.
std::string first_label_upper(std::string_view name);

// True when `group` (a stored name, perhaps qualified) satisfies INGROUP(`wanted`): the
// whole names are equal, or `wanted` has no domain part and equals the group's name without
// its domain, or both name the same domain in different forms (DOMAIN\name, name@realm).
// Case-blind over A to Z.
bool domain_group_matches(std::string_view group, std::string_view wanted);

// BUILTIN\... names are the machine's own aliases, which count as local groups.
bool is_builtin_group(std::string_view group);

} // namespace vtx
