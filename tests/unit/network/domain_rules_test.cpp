#include "network/domain_rules.h"

#include <gtest/gtest.h>
#include <string>

namespace vtx {
namespace {

// A record as the account path leaves it for a domain account, with a logon server that
// the logon named; the domain's services said only what each test gives them.
class DomainRules : public ::testing::Test {
  protected:
    void SetUp() override {
        user_.user_id = "CORP\\jdoe";
        user_.domain = "today";
        user_.logon_server = "\\\\PDC";
        user_.logon_drive = "\\\\PDC\\NETLOGON\\";
        domain_.default_realm = "CORP.EXAMPLE.TEST";
    }
    DomainFacts domain_;
    UserInfo user_;
};

TEST_F(DomainRules, ALocalAccountIsLeftAsItWas) {
    user_.user_id = "jdoe";
    user_.groups = {"jdoe", "sudo"};
    apply_domain_facts("jdoe", {"jdoe", "sudo"}, domain_, user_);
    EXPECT_EQ(user_.user_id, "jdoe");
    EXPECT_EQ(user_.domain, "today");
    EXPECT_EQ(user_.logon_domain, "");
    EXPECT_EQ(user_.groups, (std::vector<std::string>{"jdoe", "sudo"}));
    EXPECT_FALSE(user_.qualified_groups);
}

TEST_F(DomainRules, SortsTheNameServiceGroupsOfADomainAccount) {
    apply_domain_facts("CORP\\jdoe",
                       {"users", "CORP\\jdoe", "CORP\\sales", "BUILTIN\\users", "corp\\SALES"},
                       domain_, user_);
    EXPECT_EQ(user_.user_id, "jdoe");
    EXPECT_EQ(user_.logon_domain, "CORP");
    EXPECT_EQ(user_.domain, "CORP"); // the first label of the Kerberos default realm
    EXPECT_EQ(user_.logon_server, "\\\\PDC");
    EXPECT_EQ(user_.logon_drive, "\\\\PDC\\NETLOGON\\");
    EXPECT_EQ(user_.controller_host, "pdc.corp.example.test");
    EXPECT_EQ(user_.realm, "corp.example.test");
    EXPECT_EQ(user_.groups, (std::vector<std::string>{"CORP\\jdoe", "CORP\\sales"}));
    EXPECT_EQ(user_.local_groups, (std::vector<std::string>{"users", "BUILTIN\\users"}));
    EXPECT_TRUE(user_.qualified_groups);
}

TEST_F(DomainRules, WinbindsAnswerWinsOverTheNameService) {
    domain_.own_domain = "corp";
    domain_.dns = "Corp.Example.Test";
    domain_.groups_from_winbind = true;
    domain_.winbind_groups = {"CORP\\domain users", "BUILTIN\\Administrators"};
    apply_domain_facts("CORP\\jdoe", {"CORP\\sales", "users"}, domain_, user_);
    EXPECT_EQ(user_.domain, "CORP");
    EXPECT_EQ(user_.realm, "corp.example.test");
    EXPECT_EQ(user_.groups, (std::vector<std::string>{"CORP\\domain users"}));
    EXPECT_EQ(user_.local_groups, (std::vector<std::string>{"users", "BUILTIN\\Administrators"}));
}

TEST_F(DomainRules, AFoundControllerBecomesTheLogonServer) {
    user_.logon_server.clear();
    user_.logon_drive.clear();
    domain_.controller = "dc1.corp.example.test";
    apply_domain_facts("CORP\\jdoe", {}, domain_, user_);
    EXPECT_EQ(user_.logon_server, "\\\\DC1");
    EXPECT_EQ(user_.logon_drive, "\\\\DC1\\NETLOGON\\");
    EXPECT_EQ(user_.controller_host, "dc1.corp.example.test");

    UserInfo none;
    apply_domain_facts("CORP\\jdoe", {}, DomainFacts{}, none);
    EXPECT_EQ(none.logon_server, "");
    EXPECT_EQ(none.controller_host, "");
}

TEST_F(DomainRules, CutsNamesToTheirFields) {
    std::string group = "CORP\\" + std::string(80, 'g');
    apply_domain_facts("averyveryverylongdomain\\jdoe", {group}, domain_, user_);
    EXPECT_EQ(user_.logon_domain, "AVERYVERYVERYLO"); // 15 characters, upper case
    ASSERT_EQ(user_.groups.size(), 1u);
    EXPECT_EQ(user_.groups[0].size(), 63u);
}

TEST_F(DomainRules, ANetBiosDomainIsTakenWhole) {
    apply_domain_facts("Dept.One\\jdoe", {}, domain_, user_);
    EXPECT_EQ(user_.logon_domain, "DEPT.ONE");
}

TEST_F(DomainRules, ARealmAccountTakesItsRealmsFirstLabel) {
    apply_domain_facts("carol@sales.example.test", {"domain users@sales.example.test"}, domain_,
                       user_);
    EXPECT_EQ(user_.user_id, "carol");
    EXPECT_EQ(user_.logon_domain, "SALES");
    EXPECT_EQ(user_.realm, "sales.example.test");
    EXPECT_EQ(user_.groups, (std::vector<std::string>{"domain users@sales.example.test"}));
    domain_.netbios = "Sales2";
    apply_domain_facts("carol@sales.example.test", {}, domain_, user_);
    EXPECT_EQ(user_.logon_domain, "SALES2");
}

} // namespace
} // namespace vtx
