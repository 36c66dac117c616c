// The sources of the user-information record, each read once into a plain struct of its
// own. Reading runs one way: a later source may be asked with what an earlier one gave (the
// account's name, its domain's controller), never the other way round. The rules that turn
// the sources into the record are in user_record.h.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/directory.h"
#include "platform/network.h"
#include "platform/user.h"

namespace vtx {

// The variables a logon sets for a POSIX account, as they were at start; empty when unset.
struct EnvironmentFacts {
    std::string user_domain;  // USERDOMAIN
    std::string logon_server; // LOGONSERVER
};

// The Windows 95 line: the connection search, then the helper library's answer.
struct HelperFacts {
    std::vector<platform::Connection> connections;
    bool opened = false;
    int32_t listed = 0; // the enumeration's status
    std::string answer; // read only when `result` is 0
    int32_t result = 0;
};

// What the domain's services say of a domain account (POSIX); `asked` is false for a local
// account, which asks nothing.
struct DomainFacts {
    bool asked = false;
    std::string netbios, dns;  // winbind's two names of the account's domain
    std::string default_realm; // of the Kerberos configuration
    std::string own_domain;    // winbind's own domain, else the first domain of sssd
    std::string sssd_domain;
    std::string controller; // winbind's, else DNS's; asked only without a logon server
    bool groups_from_winbind = false;
    std::vector<std::string> winbind_groups;
};

// The domain directory's entry of a domain account; `result` is the lookup's status.
struct DirectoryEntry {
    int32_t result = 0;
    bool read = false;
    platform::DirectoryFacts facts;
    int64_t now = 0; // when it was read, 100 ns intervals since 1601
};

// The host's name and IPv4 addresses, as the address macros show them.
struct AddressFacts {
    bool read = false;
    std::string host_name;
    std::vector<std::array<uint8_t, 4>> addresses;
};

// The short form of the home directory the other sources give (Windows only).
struct ShortHome {
    std::string long_form;
    std::string short_form;
};

struct UserSources {
    bool nt = true; // the account path (Windows NT, POSIX), else the helper library
    EnvironmentFacts environment;
    uint8_t adapter[6] = {};
    int32_t account_result = 0;
    platform::AccountFacts account;
    std::string host_domain; // POSIX, when USERDOMAIN is not set
    HelperFacts helper;
    std::string network_user; // the network provider's name for the user
    DomainFacts domain;
    DirectoryEntry directory;
    ShortHome home;
    AddressFacts addresses;
};

// Reads every source in turn but those `later` names (UserFact bits, engine/user_info.h),
// which read_later_sources reads on first use. `program_dir` stands in for a missing LAN
// root.
UserSources read_user_sources(const std::string& program_dir, bool nt, unsigned later);

// The sources of `facts` that read_user_sources left for later. They depend on nothing a
// script can change (the environment they need was read at start), so they come out as
// they would have then.
void read_later_sources(UserSources& sources, unsigned facts);

// The domain's services and then its directory, for the account the earlier sources name.
void read_domain_sources(UserSources& sources);

// The account's domain groups from winbind, for an account whose domain read_domain_sources
// asked about; one of the group facts (kFactGroups).
void read_domain_groups(UserSources& sources);

} // namespace vtx
