#include "network/group_functions.h"

#include <gtest/gtest.h>

namespace vtx {
namespace {

TEST(Ingroup, GlobalThenLocalCaseBlind) {
    UserInfo user;
    user.groups = {"Domain Users", "Sales"};
    user.local_groups = {"Administrators", "sales team"};
    EXPECT_EQ(group_membership(user, "domain users"), '1');
    EXPECT_EQ(group_membership(user, "SALES"), '1');
    EXPECT_EQ(group_membership(user, "administrators"), '2');
    EXPECT_EQ(group_membership(user, "Sales Team"), '2');
    EXPECT_EQ(group_membership(user, "Sale"), '0'); // whole names only
    EXPECT_EQ(group_membership(user, ""), '0');
}

TEST(Ingroup, LocalGroupsCountOnlyBesideGlobalOnes) {
    UserInfo user;
    user.local_groups = {"Administrators"};
    EXPECT_EQ(group_membership(user, "Administrators"), '0');
}

TEST(Ingroup, QualifiedNamesMatchByNameOnlyForDomainAccounts) {
    UserInfo user;
    user.groups = {"EXAMPLE\\sales", "EXAMPLE\\Domain Users"};
    user.local_groups = {"BUILTIN\\users", "users"};
    EXPECT_EQ(group_membership(user, "Sales"), '0'); // the Windows build's whole-name rule
    EXPECT_EQ(group_membership(user, "EXAMPLE\\Sales"), '1');

    user.qualified_groups = true;
    EXPECT_EQ(group_membership(user, "Sales"), '1');
    EXPECT_EQ(group_membership(user, "OTHER\\Sales"), '0');
    EXPECT_EQ(group_membership(user, "Domain Users"), '1');
    EXPECT_EQ(group_membership(user, "Users"), '2');
}

} // namespace
} // namespace vtx
