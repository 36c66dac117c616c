#include "network/user_record.h"

#include <gtest/gtest.h>

namespace vtx {
namespace {

// A POSIX account as the name service gives it, before the environment says anything.
UserSources posix_account(const char* name) {
    UserSources s;
    s.account.domain_from_environment = true;
    s.account.names_from_name_service = true;
    s.account.user_name = name;
    s.account.host_name = "ws1";
    s.account.workstation = "ws1";
    s.account.home_dir = "/home/jdoe";
    s.account.groups = {"jdoe", "sudo"};
    s.account.privilege = 2;
    s.host_domain = "lan.example";
    s.directory.result = 2221;
    return s;
}

TEST(UserRecord, ThePosixEnvironmentNamesTheDomainsAndTheLogonServer) {
    UserSources s = posix_account("jdoe");
    UserInfo u = assemble_user_info(s);
    EXPECT_EQ(u.domain, "lan.example"); // the host's DNS domain without USERDOMAIN
    EXPECT_EQ(u.logon_domain, "lan.example");
    EXPECT_EQ(u.logon_server, "");
    EXPECT_EQ(u.home_share, "/home/jdoe");
    EXPECT_EQ(u.groups, (std::vector<std::string>{"jdoe", "sudo"}));
    EXPECT_EQ(u.directory_result, 2221);

    s.environment = {"CORP", "\\\\DC1"};
    u = assemble_user_info(s);
    EXPECT_EQ(u.domain, "CORP");
    EXPECT_EQ(u.logon_domain, "CORP");
    EXPECT_EQ(u.logon_server, "\\\\DC1");
    EXPECT_EQ(u.logon_drive, "\\\\DC1\\NETLOGON\\");

    // The account path of Windows names its own domains: the environment is not asked.
    s.account.domain_from_environment = false;
    s.account.domain = "NTDOM";
    EXPECT_EQ(assemble_user_info(s).domain, "NTDOM");
}

TEST(UserRecord, LaterSourcesWinInTheirOrder) {
    UserSources s = posix_account("CORP\\jdoe");
    s.network_user = "CORP\\jdoe";
    s.domain.asked = true;
    s.domain.controller = "dc1";
    s.domain.default_realm = "CORP.TEST";
    s.directory = {0, true, {}, 0};
    s.directory.facts.home_directory = "\\\\SRV\\USERS\\JDOE";
    s.directory.facts.display_name = "Jane Doe";
    UserInfo u = assemble_user_info(s);
    EXPECT_EQ(u.user_id, "jdoe"); // the domain's rule comes after the provider's name
    EXPECT_EQ(u.logon_server, "\\\\DC1");
    EXPECT_EQ(u.controller_host, "dc1.corp.test");
    EXPECT_EQ(u.full_name, "Jane Doe");
    EXPECT_EQ(u.home_share, "\\\\SRV\\USERS"); // the directory's home, split last
    EXPECT_EQ(u.home_dir, "JDOE");
    EXPECT_EQ(u.privilege, 2); // the machine's administrator stays one
}

TEST(UserRecord, TheShortHomeReplacesOnlyTheHomeItWasReadFor) {
    UserSources s;
    s.account.home_dir = "\\\\SRV\\USERS\\LONG NAME";
    // The short form is asked for the whole home, not for what is left below its share.
    EXPECT_EQ(whole_home_dir(s), "\\\\SRV\\USERS\\LONG NAME");
    s.home = {"\\\\SRV\\USERS\\LONG NAME", "\\\\SRV\\USERS\\LONGNA~1"};
    EXPECT_EQ(assemble_user_info(s).home_dir, "LONGNA~1");
    s.account.home_dir = "H:\\OTHER";
    EXPECT_EQ(assemble_user_info(s).home_dir, "H:\\OTHER");
}

TEST(UserRecord, TheHelperLineTakesTheLastNetlogonConnection) {
    UserSources s;
    s.nt = false;
    s.helper.connections = {
        {"Y:", "\\\\OLD\\NETLOGON"}, {"", "\\\\DC1\\netlogon"}, {"X:", "\\\\DC1\\DATA"}};
    s.helper.result = 126; // the library is missing: the connection search still counts
    s.network_user = "jdoe";
    UserInfo u = assemble_user_info(s);
    EXPECT_EQ(u.logon_server, "\\\\DC1");
    EXPECT_EQ(u.logon_drive, "Y:"); // the last connection that had a local name
    EXPECT_EQ(u.user_id, "jdoe");
    EXPECT_EQ(u.workstation, "");

    s.helper.result = 0;
    s.helper.answer = std::string("WKS\0\0\0\0\0\0\0\\\\HLP\0", 16);
    u = assemble_user_info(s);
    EXPECT_EQ(u.workstation, "WKS");
    EXPECT_EQ(u.logon_server, "\\\\HLP"); // the library's answer comes after the search
    EXPECT_EQ(u.user_id, "jdoe");
}

} // namespace
} // namespace vtx
