#include "network/user_sources.h"

#include <cstdlib>

#include "network/user_record.h"
#include "platform/system.h"

namespace vtx {

namespace {

// Only a value that says something counts: a variable set empty is as good as unset.
std::string variable(const char* name) {
    const char* v = std::getenv(name);
    return v ? v : "";
}

void read_helper(UserSources& s) {
    HelperFacts& helper = s.helper;
    // The same single enumeration as USE LIST.
    helper.listed = platform::list_connections(helper.connections, helper.opened);
    // The library is told the logon server the search found.
    std::string server = netlogon_connection(helper.connections).server;
    helper.answer.assign(platform::kHelperInfoSize, '\0');
    helper.answer.replace(0, server.size(), server);
    helper.result = platform::helper_get_info(helper.answer);
}

} // namespace

UserSources read_user_sources(const std::string& program_dir, bool nt, unsigned later) {
    UserSources s;
    s.nt = nt;
    s.environment.user_domain = variable("USERDOMAIN");
    s.environment.logon_server = variable("LOGONSERVER");
    unsigned now = kFactsOnFirstUse & ~later;
    read_later_sources(s, now & kFactAdapter); // the platform's first step
    if (nt)
        s.account_result = platform::read_account_facts(program_dir, s.account);
    else
        read_helper(s);
    s.network_user = platform::logon_user_name();
    if (s.account.names_from_name_service) read_domain_sources(s);
    // The home directory is the one the sources above settled on.
    s.home.long_form = whole_home_dir(s);
    s.home.short_form = s.home.long_form;
    platform::short_path(s.home.short_form);
    read_later_sources(s, now & ~kFactAdapter);
    return s;
}

void read_later_sources(UserSources& s, unsigned facts) {
    if (facts & kFactAdapter) platform::adapter_address(s.adapter); // a failure: twelve zeros
    if (facts & kFactGroups) {
        platform::read_account_groups(s.account);
        read_domain_groups(s);
    }
    if ((facts & kFactHostDomain) && s.account.domain_from_environment &&
        s.environment.user_domain.empty())
        s.host_domain = platform::host_dns_domain(s.account.host_name);
    if (facts & kFactAddresses) {
        s.addresses.read = true; // first, so that a failed lookup is never repeated
        platform::host_addresses(s.addresses.host_name, s.addresses.addresses);
    }
}

} // namespace vtx
