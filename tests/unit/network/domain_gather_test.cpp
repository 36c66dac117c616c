#include "network/domain_gather.h"

#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

namespace vtx {
namespace {

// The machine the tests run on is in no domain: winbind does not answer here, so what the
// record gets comes from the account name, the name service's groups and a Kerberos
// configuration the test writes. A logon server given beforehand keeps DNS out of it.
class DomainGather : public ::testing::Test {
  protected:
    void SetUp() override {
        path_ = ::testing::TempDir() + "vtx32-domain-krb5.conf";
        std::FILE* f = std::fopen(path_.c_str(), "w");
        ASSERT_NE(f, nullptr);
        std::fputs("[libdefaults]\n default_realm = CORP.EXAMPLE.TEST\n", f);
        std::fclose(f);
        ::setenv("KRB5_CONFIG", path_.c_str(), 1);
        user_.user_id = "CORP\\jdoe";
        user_.domain = "today";
        user_.logon_server = "\\\\PDC";
        user_.logon_drive = "\\\\PDC\\NETLOGON\\";
    }
    void TearDown() override {
        ::unsetenv("KRB5_CONFIG");
        std::remove(path_.c_str());
    }
    std::string path_;
    UserInfo user_;
};

TEST_F(DomainGather, ALocalAccountIsLeftAsItWas) {
    user_.user_id = "jdoe";
    user_.groups = {"jdoe", "sudo"};
    gather_domain_facts("jdoe", {"jdoe", "sudo"}, user_);
    EXPECT_EQ(user_.user_id, "jdoe");
    EXPECT_EQ(user_.domain, "today");
    EXPECT_EQ(user_.logon_domain, "");
    EXPECT_EQ(user_.groups, (std::vector<std::string>{"jdoe", "sudo"}));
    EXPECT_FALSE(user_.qualified_groups);
}

TEST_F(DomainGather, SortsTheNameServiceGroupsOfADomainAccount) {
    gather_domain_facts("CORP\\jdoe",
                        {"users", "CORP\\jdoe", "CORP\\sales", "BUILTIN\\users", "corp\\SALES"},
                        user_);
    EXPECT_EQ(user_.user_id, "jdoe");
    EXPECT_EQ(user_.logon_domain, "CORP");
    EXPECT_EQ(user_.domain, "CORP"); // the first label of the Kerberos default realm
    EXPECT_EQ(user_.logon_server, "\\\\PDC");
    EXPECT_EQ(user_.logon_drive, "\\\\PDC\\NETLOGON\\");
    EXPECT_EQ(user_.groups, (std::vector<std::string>{"CORP\\jdoe", "CORP\\sales"}));
    EXPECT_EQ(user_.local_groups, (std::vector<std::string>{"users", "BUILTIN\\users"}));
    EXPECT_TRUE(user_.qualified_groups);
}

TEST_F(DomainGather, CutsNamesToTheirFields) {
    std::string group = "CORP\\" + std::string(80, 'g');
    gather_domain_facts("averyveryverylongdomain\\jdoe", {group}, user_);
    EXPECT_EQ(user_.logon_domain, "AVERYVERYVERYLO"); // 15 characters, upper case
    ASSERT_EQ(user_.groups.size(), 1u);
    EXPECT_EQ(user_.groups[0].size(), 63u);
}

TEST_F(DomainGather, ANetBiosDomainIsTakenWhole) {
    gather_domain_facts("Dept.One\\jdoe", {}, user_);
    EXPECT_EQ(user_.logon_domain, "DEPT.ONE");
}

TEST_F(DomainGather, ARealmAccountTakesItsRealmsFirstLabel) {
    gather_domain_facts("carol@sales.example.test", {"domain users@sales.example.test"}, user_);
    EXPECT_EQ(user_.user_id, "carol");
    EXPECT_EQ(user_.logon_domain, "SALES");
    EXPECT_EQ(user_.groups, (std::vector<std::string>{"domain users@sales.example.test"}));
}

} // namespace
} // namespace vtx
