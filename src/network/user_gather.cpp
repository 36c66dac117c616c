#include "network/user_gather.h"

#include "engine/runtime.h"
#include "network/directory_gather.h"
#include "network/domain_gather.h"
#include "network/user_rules.h"
#include "platform/network.h"
#include "platform/status.h"
#include "platform/system.h"
#include "platform/user.h"

namespace vtx {

namespace {

// Windows 95 line: the logon server from the NETLOGON connection, the rest from the
// helper library.
int32_t gather_from_helper(Runtime& rt) {
    UserInfo& user = rt.user;
    // The same single enumeration as USE LIST.
    std::vector<platform::Connection> connections;
    bool opened = false;
    int32_t listed = platform::list_connections(connections, opened);
    for (const platform::Connection& c : connections) {
        std::string server;
        if (!netlogon_server(c.remote, server)) continue;
        store_field(user.logon_server, server, width::kLogonServer);
        if (!c.local.empty()) store_field(user.logon_drive, c.local, width::kLogonDrive);
        rt.logon_share = true;
    }
    if (opened && listed != 0 && listed != status::kNoMoreItems) rt.error = listed;

    std::string answer(platform::kHelperInfoSize, '\0');
    answer.replace(0, user.logon_server.size(), user.logon_server);
    int32_t result = platform::helper_get_info(answer);
    if (result == 0) read_helper_answer(answer, user);
    return result;
}

} // namespace

int32_t gather_user_information(Runtime& rt) {
    rt.user = UserInfo{};
    UserInfo& user = rt.user;

    uint8_t adapter[6] = {};
    platform::adapter_address(adapter); // a failure leaves twelve zeros
    user.adapter_address = adapter_address_text(adapter);

    int32_t result;
    platform::AccountFacts facts;
    if (rt.os.is_nt()) {
        result = platform::read_account_facts(rt.program_dir, facts);
        store_account_facts(facts, user);
    } else {
        result = gather_from_helper(rt);
    }

    std::string name = platform::logon_user_name();
    if (!name.empty()) store_field(user.user_id, name, width::kUserId);
    if (facts.names_from_name_service) {
        gather_domain_facts(facts.user_name, facts.groups, user);
        user.directory_result = gather_directory_facts(user);
    }
    // Where no PATH names the logon share, its being mounted says the same; asked once the
    // domain facts have named the logon drive.
    if (!rt.logon_share && rt.os.is_nt() && platform::logon_share_mounted(user.logon_drive))
        rt.logon_share = true;
    platform::short_path(user.home_dir);
    split_home_share(user);
    return result;
}

} // namespace vtx
