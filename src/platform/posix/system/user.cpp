#include "platform/user.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <grp.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netdb.h>
#include <netinet/in.h>
#include <pwd.h>
#include <sys/socket.h>
#include <unistd.h>
#if __has_include(<netpacket/packet.h>)
#include <netpacket/packet.h>
#endif
#if __has_include(<shadow.h>)
#include <shadow.h>
#endif

#include "platform/posix/errno_status.h"
#include "platform/status.h"

namespace vtx::platform {

namespace {

int32_t read_host_name(std::string& out) {
    char name[257] = {};
    if (::gethostname(name, 256) != 0) return status_from_errno(errno);
    out = name;
    return 0;
}

} // namespace

std::string host_dns_domain(const std::string& host) {
    std::size_t dot = host.find('.');
    if (dot != std::string::npos) return host.substr(dot + 1);
    if (host.empty()) return {};
    addrinfo hints{};
    hints.ai_flags = AI_CANONNAME;
    addrinfo* found = nullptr;
    if (::getaddrinfo(host.c_str(), nullptr, &hints, &found) != 0) return {};
    std::string domain;
    if (found->ai_canonname) {
        const char* d = std::strchr(found->ai_canonname, '.');
        if (d) domain = d + 1;
    }
    ::freeaddrinfo(found);
    return domain;
}

namespace {

// GECOS: full name, room, work phone, home phone, other; the last serves as the comment.
void read_gecos(const char* gecos, AccountFacts& facts) {
    std::string_view g = gecos ? gecos : "";
    facts.full_name = std::string(g.substr(0, g.find(',')));
    for (int field = 0; field < 4; ++field) {
        std::size_t comma = g.find(',');
        if (comma == std::string_view::npos) return;
        g.remove_prefix(comma + 1);
    }
    facts.comment = std::string(g);
}

std::vector<std::string> group_names(const passwd& pw) {
    int count = 64;
    std::vector<gid_t> ids;
    for (;;) {
        ids.resize(std::size_t(count));
        int asked = count;
        if (::getgrouplist(pw.pw_name, pw.pw_gid, ids.data(), &count) >= 0) break;
        if (asked >= 65536) { // NGROUPS_MAX is far below; a list this long is broken
            count = asked;
            break;
        }
        if (count <= asked) count = asked * 2; // some systems do not report the need
    }
    ids.resize(std::size_t(count));
    std::vector<std::string> names;
    for (gid_t id : ids)
        if (group* g = ::getgrgid(id)) names.emplace_back(g->gr_name);
    return names;
}

int32_t privilege_of(uid_t uid, const std::vector<std::string>& groups) {
    if (uid == 0) return 2;
    for (const std::string& g : groups)
        // The groups that may become root: sudo on Debian, wheel elsewhere, admin on old Ubuntu.
        if (g == "sudo" || g == "wheel" || g == "admin") return 2;
    return 1;
}

// The shadow entry counts in days since 1970; readable by the administrator only.
void read_password_ages(const char* user, AccountFacts& facts) {
#if __has_include(<shadow.h>)
    spwd* sp = ::getspnam(user);
    if (!sp) return;
    long today = long(std::time(nullptr) / 86400);
    if (sp->sp_lstchg > 0 && sp->sp_lstchg <= today) {
        long long age = (long long)(today - sp->sp_lstchg) * 86400;
        facts.password_age_seconds = uint32_t(age < kNoPasswordLimit ? age : kNoPasswordLimit - 1);
    }
    if (sp->sp_max >= 0 && (long long)sp->sp_max * 86400 < kNoPasswordLimit)
        facts.max_password_age_seconds = uint32_t(sp->sp_max * 86400);
#else
    (void)user;
    (void)facts;
#endif
}

} // namespace

int32_t read_account_facts(const std::string& program_dir, AccountFacts& facts) {
    facts.domain_from_environment = true;
    read_host_name(facts.host_name);
    facts.workstation = facts.host_name.substr(0, facts.host_name.find('.'));
    facts.lan_root = program_dir;

    uid_t uid = ::geteuid();
    passwd* pw = ::getpwuid(uid);
    if (!pw) return status::kUserNotFound;
    facts.user_name = pw->pw_name;
    facts.names_from_name_service = true;
    read_gecos(pw->pw_gecos, facts);
    facts.home_dir = pw->pw_dir ? pw->pw_dir : "";
    read_password_ages(facts.user_name.c_str(), facts);
    return 0;
}

int32_t read_account_groups(AccountFacts& facts) {
    uid_t uid = ::geteuid();
    passwd* pw = ::getpwuid(uid);
    if (!pw) return status::kUserNotFound;
    facts.groups = group_names(*pw);
    facts.privilege = privilege_of(uid, facts.groups);
    return 0;
}

int32_t adapter_address(uint8_t (&bytes)[6]) {
#ifdef AF_PACKET
    ifaddrs* list = nullptr;
    if (::getifaddrs(&list) != 0) return status_from_errno(errno);
    int32_t result = status::kFileNotFound;
    for (ifaddrs* i = list; i; i = i->ifa_next) {
        if (!i->ifa_addr || i->ifa_addr->sa_family != AF_PACKET) continue;
        if ((i->ifa_flags & IFF_LOOPBACK) || !(i->ifa_flags & IFF_UP)) continue;
        const auto* link = reinterpret_cast<const sockaddr_ll*>(i->ifa_addr);
        static const uint8_t zero[6] = {};
        // An all-zero address belongs to a virtual link, not to an adapter.
        if (link->sll_halen != 6 || std::memcmp(link->sll_addr, zero, 6) == 0) continue;
        std::memcpy(bytes, link->sll_addr, 6);
        result = 0;
        break;
    }
    ::freeifaddrs(list);
    return result;
#else
    (void)bytes;
    return status::kNotSupported;
#endif
}

int32_t helper_get_info(std::string&) {
    return status::kNotSupported;
}

int32_t short_path(std::string&) {
    return status::kNotSupported;
}

int32_t host_addresses(std::string& host, std::vector<std::array<uint8_t, 4>>& addresses) {
    if (int32_t st = read_host_name(host)) return st;
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_flags = AI_CANONNAME;
    addrinfo* found = nullptr;
    if (::getaddrinfo(host.c_str(), nullptr, &hints, &found) == 0) {
        if (found->ai_canonname) host = found->ai_canonname;
        ::freeaddrinfo(found);
    }
    // The addresses of the interfaces that are up, as Windows lists its adapters: by
    // interface, not by what the hosts file says of the name (Debian's 127.0.1.1), and the
    // loopback only when there is nothing else.
    ifaddrs* list = nullptr;
    if (::getifaddrs(&list) != 0) return status_from_errno(errno);
    std::vector<std::pair<unsigned, std::array<uint8_t, 4>>> up, loopback;
    for (ifaddrs* i = list; i; i = i->ifa_next) {
        if (!i->ifa_addr || i->ifa_addr->sa_family != AF_INET || !(i->ifa_flags & IFF_UP)) continue;
        std::array<uint8_t, 4> bytes;
        std::memcpy(bytes.data(), &reinterpret_cast<const sockaddr_in*>(i->ifa_addr)->sin_addr, 4);
        (i->ifa_flags & IFF_LOOPBACK ? loopback : up)
            .emplace_back(::if_nametoindex(i->ifa_name), bytes);
    }
    ::freeifaddrs(list);
    auto& chosen = up.empty() ? loopback : up;
    std::stable_sort(chosen.begin(), chosen.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& entry : chosen) addresses.push_back(entry.second);
    return 0;
}

} // namespace vtx::platform
