// Facts about the user, the workstation and its addresses. Every call returns a
// Win32-numbered status (platform/status.h); texts come back whole, and the caller cuts
// them to the widths of the user-information record.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vtx::platform {

inline constexpr uint32_t kNoPasswordLimit = 0xFFFFFFFF;

// Whether start-up leaves the costly account facts (the groups, the host's DNS domain, the
// adapter) to their first use. POSIX: they were most of an empty script's time. Windows: the
// account path keeps its fixed order of calls, the adapter first.
#ifdef _WIN32
inline constexpr bool kAccountFactsOnFirstUse = false;
#else
inline constexpr bool kAccountFactsOnFirstUse = true;
#endif

// What the account path learns, filled step by step: a failed step ends the path and
// leaves its own fields and all later ones as they are.
struct AccountFacts {
    std::string user_name;
    std::string logon_domain;
    std::string logon_server; // without leading backslashes; empty when unknown
    std::string host_name;    // POSIX: the whole name gethostname gives (Windows: empty)
    std::string workstation;
    std::string domain;
    std::string lan_root;
    int lm_major = 0;
    int lm_minor = 0;
    std::string comment;
    std::string full_name;
    std::string home_dir;
    int32_t privilege = 0;
    uint32_t password_age_seconds = 0;
    uint32_t max_password_age_seconds = kNoPasswordLimit;
    std::vector<std::string> groups;
    std::vector<std::string> local_groups;
    // POSIX: names come from the name service, which writes a domain account's name and
    // groups with their domain (DOMAIN\user, user@realm); `user_name` is that whole name.
    bool names_from_name_service = false;
    // POSIX: the domains and the logon server are not the account's: the environment or the
    // host's DNS name gives them.
    bool domain_from_environment = false;
};

// The account path. Windows: the LAN manager calls of NETAPI32.DLL, loaded for this call;
// returns 0, the load failure, a missing entry point's GetLastError() or the first failing
// call's status. POSIX: the password and shadow databases and the host name (the groups are
// read_account_groups'); returns 0, or 2221 without a password entry. `program_dir` stands in for
// the LAN root where there is none.
int32_t read_account_facts(const std::string& program_dir, AccountFacts& facts);

// The account's groups and the privilege they give. POSIX: the group database, whose first
// lookup loads the name service's modules, so it waits for its first use; Windows: the
// account path has read both already (0, nothing changes).
int32_t read_account_groups(AccountFacts& facts);

// The domain part of the host's fully qualified name, as `hostname -d` gives it (POSIX: from
// `host_name` itself, else its canonical name); empty when there is none, and on Windows.
std::string host_dns_domain(const std::string& host_name);

// The first network adapter's six-byte hardware address: 0, or a status with `bytes`
// left zero. Windows: Netbios reset and adapter status (NETAPI32.DLL loaded for this call);
// POSIX: the first non-loopback interface with a link-level address.
int32_t adapter_address(uint8_t (&bytes)[6]);

// The helper library's "VXGetInfo32" on a 64000-byte buffer (loaded for this call):
// its status, or GetLastError() when the library or the entry is missing; 50 on POSIX.
inline constexpr std::size_t kHelperInfoSize = 64000;
int32_t helper_get_info(std::string& buffer);

// Replaces `path` by its short form when the platform has one (0); otherwise leaves it
// and returns the status (POSIX: 50, there are no short names).
int32_t short_path(std::string& path);

// The host name and the host's IPv4 addresses. `host_name` gets the name the system reports
// and, once it resolves, the official name. Windows: the sockets library WSOCK32.DLL, loaded
// for this call, addresses in the resolver's order; POSIX: gethostname and getaddrinfo for
// the name, the addresses of the interfaces that are up by interface number, the loopback's
// only when no other interface has one.
// Returns 0 or the status of the step that failed (what was stored stays).
int32_t host_addresses(std::string& host_name, std::vector<std::array<uint8_t, 4>>& addresses);

} // namespace vtx::platform
