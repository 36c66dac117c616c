#include "network/user_gather.h"

#include <memory>

#include "engine/runtime.h"
#include "network/user_record.h"
#include "network/user_sources.h"
#include "platform/network.h"
#include "platform/status.h"

namespace vtx {

int32_t gather_user_information(Runtime& rt, unsigned later) {
    // The addresses always wait: only scripts that show them pay for the resolver.
    later |= kFactAddresses;
    auto sources =
        std::make_shared<UserSources>(read_user_sources(rt.program_dir, rt.os.is_nt(), later));
    rt.user = assemble_user_info(*sources);
    rt.user_facts_unread = later;
    rt.read_user_facts = [sources](Runtime& run, unsigned facts) {
        run.user_facts_unread &= ~facts;
        read_later_sources(*sources, facts);
        run.user = assemble_user_info(*sources);
    };
    if (!sources->nt) {
        const HelperFacts& helper = sources->helper;
        if (netlogon_connection(helper.connections).found) rt.logon_share = true;
        if (helper.opened && helper.listed != 0 && helper.listed != status::kNoMoreItems)
            rt.error = helper.listed;
        return helper.result;
    }
    // Where no PATH names the logon share, its being mounted says the same; asked once the
    // domain facts have named the logon drive.
    if (!rt.logon_share && platform::logon_share_mounted(rt.user.logon_drive))
        rt.logon_share = true;
    return sources->account_result;
}

} // namespace vtx
