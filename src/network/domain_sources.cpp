// The domain's services and its directory, asked for a domain account with the names the
// account's own facts gave.
#include <ctime>

#include "network/domain_rules.h"
#include "network/user_record.h"
#include "network/user_sources.h"
#include "platform/domain.h"
#include "platform/status.h"

namespace vtx {

namespace {

constexpr int64_t kIntervalsPerSecond = 10000000;
constexpr int64_t kUnixEpochSeconds = 11644473600; // 1601-01-01 to 1970-01-01

void read_domain_services(const QualifiedName& q, UserSources& s) {
    DomainFacts& d = s.domain;
    d.asked = true;
    platform::winbind_domain_names(q.domain, d.netbios, d.dns);
    d.default_realm = platform::kerberos_default_realm();
    if (std::string own; platform::winbind_own_domain(own) == 0) d.own_domain = own;
    if (d.own_domain.empty()) d.sssd_domain = platform::sssd_domain();
    // The controller is looked for only when the logon did not name one.
    UserInfo known = assemble_user_info(s);
    if (known.logon_server.empty()) {
        platform::winbind_domain_controller(known.logon_domain, d.controller);
        std::string realm = account_realm(q, d);
        if (d.controller.empty() && !realm.empty())
            platform::dns_domain_controller(realm, d.controller);
    }
}

// Needs a domain account holding a Kerberos ticket, with its controller known; otherwise
// the record keeps the name service's facts.
void read_directory(UserSources& s) {
    DirectoryEntry& e = s.directory;
    UserInfo known = assemble_user_info(s);
    if (!known.qualified_groups || known.controller_host.empty() || known.realm.empty()) {
        e.result = status::kUserNotFound;
        return;
    }
    if (!platform::kerberos_ticket_held()) {
        e.result = status::kLogonFailure;
        return;
    }
    e.result =
        platform::read_directory_facts(known.controller_host, known.realm, known.user_id, e.facts);
    e.read = e.result == 0;
    e.now = (int64_t(std::time(nullptr)) + kUnixEpochSeconds) * kIntervalsPerSecond;
}

} // namespace

void read_domain_groups(UserSources& s) {
    DomainFacts& d = s.domain;
    if (!d.asked) return;
    d.groups_from_winbind =
        platform::winbind_user_groups(s.account.user_name, d.winbind_groups) == 0 &&
        !d.winbind_groups.empty();
}

void read_domain_sources(UserSources& s) {
    QualifiedName q = split_account_name(s.account.user_name);
    if (!q.domain.empty()) read_domain_services(q, s);
    read_directory(s);
}

} // namespace vtx
