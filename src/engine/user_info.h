// Facts about the user, the workstation and the domain, gathered once (the costly ones on
// first use): run data that the macros, the group test and the network functions read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vtx {

// Field widths in bytes with the terminator: a stored text keeps at most width - 1 bytes.
namespace width {
inline constexpr std::size_t kWorkstation = 18;
inline constexpr std::size_t kAdapterAddress = 13;
inline constexpr std::size_t kUserId = 274;
inline constexpr std::size_t kDomain = 16;
inline constexpr std::size_t kLogonServer = 18;
inline constexpr std::size_t kPath = 257; // lan_root, comment, full_name, home_dir, home_share
inline constexpr std::size_t kLogonDrive = 260;
inline constexpr std::size_t kHostName = 260;
inline constexpr std::size_t kGroup = 64; // one group name of the account path
} // namespace width

// The facts that cost a start-up their time (a name-service module, the resolver, the
// interface list) are read on their first use instead; `user_facts` (engine/runtime.h) asks
// for them by these bits.
enum UserFact : unsigned {
    kFactGroups = 1,     // groups, local_groups, privilege
    kFactHostDomain = 2, // domain, logon_domain where the host's DNS name gives them
    kFactAdapter = 4,    // adapter_address
    kFactAddresses = 8,  // host_name, ip_address, ip_lookup_done
};
inline constexpr unsigned kFactsOnFirstUse =
    kFactGroups | kFactHostDomain | kFactAdapter | kFactAddresses;

struct UserInfo {
    std::string workstation;
    std::string adapter_address;
    std::string user_id;
    std::string domain;
    std::string logon_domain;
    std::string logon_server;
    std::string lan_root;
    int8_t lm_major = 0;
    int8_t lm_minor = 0;
    std::string comment;
    std::string full_name;
    std::string home_dir;
    std::string home_share;
    int32_t privilege = 0;
    int32_t password_age = 0;
    int32_t max_password_age = 0;
    std::string logon_drive;
    int32_t ip_lookup_done = 0;
    std::string host_name;
    std::string ip_address[4];             // empty = slot absent
    std::vector<std::string> groups;       // global groups (account path) or the helper's
    std::vector<std::string> local_groups; // account path only
    // Group names carry their domain (DOMAIN\name, name@realm): INGROUP also matches them
    // by the name alone. Set for domain accounts on POSIX only.
    bool qualified_groups = false;
    // POSIX domain accounts: the controller's DNS name and the realm, for the directory
    // and the logon share; the account's logon script and home drive from the directory.
    std::string controller_host;
    std::string realm;
    std::string logon_script;
    std::string home_drive;
    int32_t directory_result = 0; // the directory lookup's status, 0 when it answered

    bool operator==(const UserInfo&) const = default;
};

} // namespace vtx
