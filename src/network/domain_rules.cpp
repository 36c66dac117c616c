#include "network/domain_rules.h"

#include "network/user_rules.h"
#include "platform/text_rules.h"

namespace vtx {

namespace {

void add_group(std::vector<std::string>& list, const std::string& name) {
    std::string cut;
    store_field(cut, name, width::kGroup);
    for (const std::string& g : list)
        if (equal_nocase(g, cut)) return;
    list.push_back(cut);
}

// The workstation's domain: winbind's own, else the first domain sssd serves, else the
// Kerberos default realm, each as a NetBIOS name; empty when none of them knows.
std::string workstation_domain(const DomainFacts& domain) {
    if (!domain.own_domain.empty()) return upper_copy(domain.own_domain);
    if (!domain.sssd_domain.empty()) return first_label_upper(domain.sssd_domain);
    return first_label_upper(domain.default_realm);
}

// Domain groups from winbind when it answers (so Domain Users keeps its name whatever gid
// it maps to), else the name service's qualified names; BUILTIN aliases and the machine's
// own groups are local.
void sort_groups(const std::vector<std::string>& nss_groups, const DomainFacts& domain,
                 UserInfo& user) {
    std::vector<std::string> domain_groups = domain.winbind_groups;
    user.groups.clear();
    user.local_groups.clear();
    for (const std::string& name : nss_groups) {
        bool qualified = !split_account_name(name).domain.empty();
        if (!qualified || is_builtin_group(name))
            add_group(user.local_groups, name);
        else if (!domain.groups_from_winbind)
            domain_groups.push_back(name);
    }
    for (const std::string& name : domain_groups)
        add_group(is_builtin_group(name) ? user.local_groups : user.groups, name);
}

// The controller as a DNS name, as Kerberos names its services: winbind may give \\DC1.
std::string controller_dns_name(std::string_view controller, const std::string& realm) {
    while (!controller.empty() && controller[0] == '\\') controller.remove_prefix(1);
    std::string host = fold_copy(controller);
    if (!host.empty() && host.find('.') == std::string::npos && !realm.empty())
        host += "." + fold_copy(realm);
    return host;
}

} // namespace

std::string account_realm(const QualifiedName& account, const DomainFacts& domain) {
    if (account.realm_form) return account.domain;
    return domain.dns.empty() ? domain.default_realm : domain.dns;
}

void apply_domain_facts(const std::string& account, const std::vector<std::string>& nss_groups,
                        const DomainFacts& domain, UserInfo& user) {
    QualifiedName q = split_account_name(account);
    if (q.domain.empty()) return;
    user.qualified_groups = true;
    store_field(user.user_id, q.user, width::kUserId);

    // A NetBIOS name is taken whole (it may hold a dot); only a realm is cut to its label.
    std::string logon_domain = !q.realm_form            ? upper_copy(q.domain)
                               : domain.netbios.empty() ? first_label_upper(q.domain)
                                                        : upper_copy(domain.netbios);
    store_field(user.logon_domain, logon_domain, width::kDomain);
    if (std::string own = workstation_domain(domain); !own.empty())
        store_field(user.domain, own, width::kDomain);

    std::string realm = account_realm(q, domain);
    user.realm = fold_copy(realm);
    if (user.logon_server.empty()) {
        if (!domain.controller.empty())
            store_logon_server(first_label_upper(domain.controller), user);
        user.controller_host = controller_dns_name(domain.controller, realm);
    } else {
        user.controller_host = controller_dns_name(user.logon_server, realm);
    }
    sort_groups(nss_groups, domain, user);
}

} // namespace vtx
