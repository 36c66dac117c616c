#include "network/user_record.h"

#include "network/directory_rules.h"
#include "network/domain_rules.h"
#include "network/user_rules.h"

namespace vtx {

NetlogonConnection netlogon_connection(const std::vector<platform::Connection>& connections) {
    NetlogonConnection found;
    for (const platform::Connection& c : connections) {
        std::string server;
        if (!netlogon_server(c.remote, server)) continue;
        store_field(found.server, server, width::kLogonServer);
        if (!c.local.empty()) store_field(found.drive, c.local, width::kLogonDrive);
        found.found = true;
    }
    return found;
}

namespace {

// A POSIX account's domains and logon server are what the logon's environment said, the
// domain else the host's DNS domain.
platform::AccountFacts with_environment(const UserSources& s) {
    platform::AccountFacts facts = s.account;
    if (!facts.domain_from_environment) return facts;
    const EnvironmentFacts& env = s.environment;
    facts.domain = env.user_domain.empty() ? s.host_domain : env.user_domain;
    facts.logon_domain = facts.domain;
    facts.logon_server = env.logon_server;
    return facts;
}

void store_helper_facts(const HelperFacts& helper, UserInfo& user) {
    NetlogonConnection netlogon = netlogon_connection(helper.connections);
    if (netlogon.found) user.logon_server = netlogon.server;
    if (!netlogon.drive.empty()) user.logon_drive = netlogon.drive;
    if (helper.result == 0 && !helper.answer.empty()) read_helper_answer(helper.answer, user);
}

// The record before the short home and the home share's split.
UserInfo assemble_before_home(const UserSources& s) {
    UserInfo user;
    user.adapter_address = adapter_address_text(s.adapter);
    if (s.nt)
        store_account_facts(with_environment(s), user);
    else
        store_helper_facts(s.helper, user);
    if (!s.network_user.empty()) store_field(user.user_id, s.network_user, width::kUserId);
    if (s.account.names_from_name_service) {
        apply_domain_facts(s.account.user_name, s.account.groups, s.domain, user);
        user.directory_result = s.directory.result;
        if (s.directory.read) store_directory_facts(s.directory.facts, s.directory.now, user);
    }
    return user;
}

} // namespace

std::string whole_home_dir(const UserSources& s) {
    return assemble_before_home(s).home_dir;
}

UserInfo assemble_user_info(const UserSources& s) {
    UserInfo user = assemble_before_home(s);
    if (user.home_dir == s.home.long_form) user.home_dir = s.home.short_form;
    split_home_share(user);
    user.ip_lookup_done = s.addresses.read;
    store_field(user.host_name, s.addresses.host_name, width::kHostName);
    for (std::size_t i = 0; i < 4 && i < s.addresses.addresses.size(); ++i)
        user.ip_address[i] = ip_address_text(s.addresses.addresses[i]);
    return user;
}

} // namespace vtx
