#include "app/posix/logon_run.h"

#include <gtest/gtest.h>

#include "engine/user_info.h"

namespace vtx {
namespace {

UserInfo domain_user() {
    UserInfo u;
    u.groups = {"EXAMPLE\\Sales", "EXAMPLE\\Domain Users"};
    u.qualified_groups = true;
    return u;
}

TEST(LogonSwitch, OnUnlessASectionSaysOff) {
    UserInfo u = domain_user();
    EXPECT_EQ(logon_switched_off("", "autostart", u), "");
    EXPECT_EQ(logon_switched_off("[all]\noff = no\ngroups =\n", "autostart", u), "");
    EXPECT_NE(logon_switched_off("[all]\noff = yes\n", "", u), "");
    // One launcher's section stops that launcher only.
    std::string config = "[profile]\noff = true\n";
    EXPECT_NE(logon_switched_off(config, "profile", u).find("[profile]"), std::string::npos);
    EXPECT_EQ(logon_switched_off(config, "autostart", u), "");
}

TEST(LogonSwitch, GroupsMatchAsIngroupDoes) {
    UserInfo u = domain_user();
    EXPECT_NE(logon_switched_off("[all]\ngroups = Lab, sales\n", "", u).find("sales"),
              std::string::npos);
    EXPECT_NE(logon_switched_off("[systemd]\ngroups = EXAMPLE\\Sales\n", "systemd", u), "");
    EXPECT_EQ(logon_switched_off("[all]\ngroups = Lab, Kiosk\n", "", u), "");
    EXPECT_EQ(logon_switched_off("[systemd]\ngroups = Sales\n", "autostart", u), "");
}

} // namespace
} // namespace vtx
