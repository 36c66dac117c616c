#include "network/user_gather.h"

#include <cstdlib>
#include <gtest/gtest.h>

#include "engine/runtime.h"
#include "platform/system.h"

namespace vtx {
namespace {

// The account path on the machine the tests run on: real databases, real interfaces.
TEST(GatherUser, FillsTheRecordFromThisMachine) {
    ::setenv("LOGONSERVER", "DC1", 1);
    ::setenv("USERDOMAIN", "CORP", 1);
    Runtime rt;
    rt.program_dir = "/opt/vtx/";
    rt.user.full_name = "stale";
    int32_t result = gather_user_information(rt);
    ::unsetenv("LOGONSERVER");
    ::unsetenv("USERDOMAIN");

    EXPECT_EQ(result, 0);
    const UserInfo& u = rt.user;
    EXPECT_EQ(u.user_id, platform::logon_user_name());
    EXPECT_FALSE(u.user_id.empty());
    EXPECT_EQ(u.adapter_address.size(), 12u);
    EXPECT_EQ(u.adapter_address.find_first_not_of("0123456789ABCDEF"), std::string::npos);
    EXPECT_EQ(u.logon_server, "\\\\DC1");
    EXPECT_EQ(u.logon_drive, "\\\\DC1\\NETLOGON\\");
    EXPECT_EQ(u.domain, "CORP");
    EXPECT_EQ(u.logon_domain, "CORP");
    EXPECT_EQ(u.lan_root, "/opt/vtx/");
    EXPECT_EQ(u.home_share, u.home_dir); // a local home is not on a share
    EXPECT_FALSE(u.groups.empty());      // at least the primary group
    EXPECT_GE(u.privilege, 1);
    EXPECT_NE(u.full_name, "stale");
    EXPECT_EQ(u.ip_lookup_done, 0); // addresses wait for their first use
}

// Facts read on first use are those start-up would have read, whatever the script did to
// the environment meanwhile (SETL of USERDOMAIN and LOGONSERVER).
TEST(GatherUser, FactsReadOnFirstUseEqualThoseReadAtStart) {
    ::unsetenv("USERDOMAIN"); // so the domain comes from the host's DNS name, on first use
    ::setenv("LOGONSERVER", "DC1", 1);
    Runtime eager, lazy;
    eager.program_dir = lazy.program_dir = "/opt/vtx/";
    EXPECT_EQ(gather_user_information(eager, 0), 0);
    EXPECT_EQ(gather_user_information(lazy, kFactsOnFirstUse), 0);
    EXPECT_TRUE(lazy.user.groups.empty()); // not read yet
    EXPECT_EQ(lazy.user.adapter_address, "000000000000");

    platform::set_environment("USERDOMAIN", "SCRIPTS");
    platform::set_environment("LOGONSERVER", "ELSEWHERE");
    user_facts(eager, kFactAddresses);
    EXPECT_NE(user_facts(lazy, kFactGroups).groups, std::vector<std::string>{});
    user_facts(lazy, kFactsOnFirstUse);
    ::unsetenv("USERDOMAIN");
    ::unsetenv("LOGONSERVER");
    EXPECT_EQ(lazy.user_facts_unread, 0u);
    EXPECT_EQ(lazy.user.logon_server, "\\\\DC1");
    EXPECT_NE(lazy.user.domain, "SCRIPTS");
    EXPECT_TRUE(lazy.user == eager.user);
}

} // namespace
} // namespace vtx
