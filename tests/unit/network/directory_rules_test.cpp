#include "network/directory_rules.h"

#include <gtest/gtest.h>

#include <limits>

#include "network/user_rules.h"

namespace vtx {
namespace {

constexpr int64_t kDay = 864000000000; // in 100 ns intervals
constexpr int64_t kNow = 134412683260000000;

TEST(DirectoryFacts, HomeFolderSplitsAsOnWindows) {
    UserInfo u;
    platform::DirectoryFacts f;
    f.home_directory = "\\\\SRV\\USERS\\JDOE";
    f.home_drive = "H:";
    f.display_name = "Jane Doe";
    f.description = "Sales";
    f.script_path = "VTX32.EXE sales.scr";
    store_directory_facts(f, kNow, u);
    split_home_share(u);
    EXPECT_EQ(u.home_share, "\\\\SRV\\USERS");
    EXPECT_EQ(u.home_dir, "JDOE");
    EXPECT_EQ(u.home_drive, "H:");
    EXPECT_EQ(u.full_name, "Jane Doe");
    EXPECT_EQ(u.comment, "Sales");
    EXPECT_EQ(u.logon_script, "VTX32.EXE sales.scr");

    UserInfo own;
    f.home_directory = "\\\\DC1\\bob$";
    store_directory_facts(f, kNow, own);
    split_home_share(own);
    EXPECT_EQ(own.home_share, "\\\\DC1\\bob$");
}

TEST(DirectoryFacts, EmptyAttributesKeepTheNameServiceFacts) {
    UserInfo u;
    u.full_name = "From passwd";
    u.home_dir = "/home/bob";
    store_directory_facts(platform::DirectoryFacts{}, kNow, u);
    EXPECT_EQ(u.full_name, "From passwd");
    EXPECT_EQ(u.home_dir, "/home/bob");
}

TEST(DirectoryFacts, PasswordAgesFromTheDomainsIntervals) {
    UserInfo u;
    platform::DirectoryFacts f;
    f.password_last_set = kNow - 3 * kDay - kDay / 2 - 1; // rounds to 4
    f.max_password_age = -42 * kDay;
    store_directory_facts(f, kNow, u);
    EXPECT_EQ(u.password_age, 4);
    EXPECT_EQ(u.max_password_age, 42);
    for (int64_t none : {int64_t(0), std::numeric_limits<int64_t>::min()}) {
        f.max_password_age = none;
        store_directory_facts(f, kNow, u);
        EXPECT_EQ(u.max_password_age, 0);
    }
}

TEST(DirectoryFacts, PrivilegeFromTheDomainsGroupsKeepsLocalAdministrators) {
    platform::DirectoryFacts f;
    UserInfo u;
    u.privilege = 1;
    f.administrator = true;
    store_directory_facts(f, kNow, u);
    EXPECT_EQ(u.privilege, 2);
    f = {};
    f.guest = true;
    u.privilege = 1;
    store_directory_facts(f, kNow, u);
    EXPECT_EQ(u.privilege, 0);
    u.privilege = 2; // root, sudo, wheel or admin on this machine
    store_directory_facts(f, kNow, u);
    EXPECT_EQ(u.privilege, 2);
}

} // namespace
} // namespace vtx
