#include "network/user_rules.h"

#include <gtest/gtest.h>

namespace vtx {
namespace {

TEST(PasswordAge, RoundsToTheNearestDay) {
    EXPECT_EQ(password_age_days(129600), 2); // 1.5 days
    EXPECT_EQ(password_age_days(43199), 0);
    EXPECT_EQ(password_age_days(43200), 1);
    EXPECT_EQ(password_age_days(0xFFFFFFFE), 49710);
}

TEST(PasswordAge, MaximumIsTruncatedAndZeroWithoutLimit) {
    EXPECT_EQ(max_password_age_days(platform::kNoPasswordLimit, 0), 0);
    EXPECT_EQ(max_password_age_days(3628800, 2), 42);
    EXPECT_EQ(max_password_age_days(3628799, 2), 41);
    EXPECT_EQ(max_password_age_days(0, 0), 0);
}

struct Split {
    const char* home;
    const char* share;
    const char* dir;
};

TEST(HomeShare, SplitsOnlyAServerAndShareWithAPathBehind) {
    const Split cases[] = {
        {"\\\\SRV\\USERS\\JDOE\\DOCS", "\\\\SRV\\USERS", "JDOE\\DOCS"},
        {"\\\\SRV\\USERS\\", "\\\\SRV\\USERS", ""},
        {"\\\\SRV\\USERS", "\\\\SRV\\USERS", "\\\\SRV\\USERS"},
        {"\\\\SRV", "\\\\SRV", "\\\\SRV"},
        {"H:\\HOME", "H:\\HOME", "H:\\HOME"},
        {"/home/jdoe", "/home/jdoe", "/home/jdoe"},
        {"", "", ""},
    };
    for (const Split& c : cases) {
        UserInfo u;
        u.home_dir = c.home;
        split_home_share(u);
        EXPECT_EQ(u.home_share, c.share) << c.home;
        EXPECT_EQ(u.home_dir, c.dir) << c.home;
    }
}

TEST(Formats, AdapterAndIpAddresses) {
    const uint8_t adapter[6] = {0x02, 0xfc, 0x00, 0xab, 0x0c, 0x01};
    const uint8_t none[6] = {};
    EXPECT_EQ(adapter_address_text(adapter), "02FC00AB0C01");
    EXPECT_EQ(adapter_address_text(none), "000000000000");
    EXPECT_EQ(ip_address_text({192, 168, 1, 20}), "192.168.  1. 20");
    EXPECT_EQ(ip_address_text({10, 0, 0, 5}), " 10.  0.  0.  5");
    EXPECT_EQ(ip_address_text({127, 0, 0, 1}), "127.  0.  0.  1");
    EXPECT_EQ(ip_address_text({255, 255, 255, 255}), "255.255.255.255");
}

TEST(Netlogon, OnlyTheLastComponentCounts) {
    std::string server;
    EXPECT_TRUE(netlogon_server("\\\\DC1\\NETLOGON", server));
    EXPECT_EQ(server, "\\\\DC1");
    EXPECT_TRUE(netlogon_server("\\\\dc2\\netlogon", server));
    EXPECT_EQ(server, "\\\\dc2");
    EXPECT_FALSE(netlogon_server("\\\\DC1\\NETLOGONS", server));
    EXPECT_FALSE(netlogon_server("\\\\DC1\\NETLOGON\\sub", server));
    EXPECT_FALSE(netlogon_server("NETLOGON", server));
    EXPECT_EQ(logon_server_text("DC1"), "\\\\DC1");
    EXPECT_EQ(logon_server_text("\\\\DC1"), "\\\\DC1");
}

std::string answer_of(std::initializer_list<std::string> texts) {
    std::string answer;
    for (const std::string& t : texts) answer.append(t).push_back('\0');
    return answer;
}

TEST(HelperAnswer, FillsTheRecordInItsOrder) {
    std::string answer =
        answer_of({"WKS", "jdoe", "SALES", "SALESDOM", "C:\\LAN", "2", "1", "\\\\DC1", "note",
                   "Jane Doe", "\\\\DC1\\U\\JD", "2", "12", "42", "2", "Sales", "Print"});
    answer.resize(64000, '\0');
    UserInfo u;
    read_helper_answer(answer, u);
    EXPECT_EQ(u.workstation, "WKS");
    EXPECT_EQ(u.user_id, "jdoe");
    EXPECT_EQ(u.domain, "SALES");
    EXPECT_EQ(u.logon_domain, "SALESDOM");
    EXPECT_EQ(u.lan_root, "C:\\LAN");
    EXPECT_EQ(u.lm_major, 2);
    EXPECT_EQ(u.lm_minor, 1);
    EXPECT_EQ(u.logon_server, "\\\\DC1");
    EXPECT_EQ(u.comment, "note");
    EXPECT_EQ(u.full_name, "Jane Doe");
    EXPECT_EQ(u.home_dir, "\\\\DC1\\U\\JD");
    EXPECT_EQ(u.privilege, 2);
    EXPECT_EQ(u.password_age, 12);
    EXPECT_EQ(u.max_password_age, 42);
    EXPECT_EQ(u.groups, (std::vector<std::string>{"Sales", "Print"}));
    EXPECT_TRUE(u.local_groups.empty());
}

TEST(HelperAnswer, OverlongTextsAreCutAndCountsBoundedByTheBuffer) {
    std::string big(300, 'n');
    std::string answer = answer_of({std::string(40, 'w'), std::string(400, 'u'), "D", "L", big, "x",
                                    "", "\\\\" + std::string(30, 's'), big, big, big, "1", "0", "0",
                                    "4000000000", "only"});
    UserInfo u;
    read_helper_answer(answer, u);
    EXPECT_EQ(u.workstation, std::string(17, 'w'));
    EXPECT_EQ(u.user_id, std::string(273, 'u'));
    EXPECT_EQ(u.lan_root.size(), 256u);
    EXPECT_EQ(u.logon_server, "\\\\" + std::string(15, 's'));
    EXPECT_EQ(u.full_name.size(), 256u);
    EXPECT_EQ(u.lm_major, 0);
    EXPECT_EQ(u.groups, (std::vector<std::string>{"only"}));

    // A last text without its terminator ends at the buffer's end.
    UserInfo cut;
    read_helper_answer(std::string_view("WKS\0jd", 6), cut);
    EXPECT_EQ(cut.user_id, "jd");
    EXPECT_EQ(cut.domain, "");
    EXPECT_TRUE(cut.groups.empty());
}

TEST(AccountFacts, ComposeServerAndDriveAndCutEveryText) {
    platform::AccountFacts f;
    f.user_name = "jdoe";
    f.logon_server = "DC1";
    f.workstation = std::string(20, 'w');
    f.domain = "a-domain-name-longer-than-fifteen";
    f.password_age_seconds = 129600;
    f.max_password_age_seconds = 3628800;
    f.groups = {"Domain Users", std::string(80, 'g')};
    f.local_groups = {"Administrators"};
    f.lm_major = 0x104;
    UserInfo u;
    store_account_facts(f, u);
    EXPECT_EQ(u.logon_server, "\\\\DC1");
    EXPECT_EQ(u.logon_drive, "\\\\DC1\\NETLOGON\\");
    EXPECT_EQ(u.workstation, std::string(17, 'w'));
    EXPECT_EQ(u.domain, "a-domain-name-l");
    EXPECT_EQ(u.password_age, 2);
    EXPECT_EQ(u.max_password_age, 42);
    EXPECT_EQ(u.lm_major, 4);
    ASSERT_EQ(u.groups.size(), 2u);
    EXPECT_EQ(u.groups[1], std::string(63, 'g'));
    EXPECT_EQ(u.local_groups, (std::vector<std::string>{"Administrators"}));

    platform::AccountFacts none;
    UserInfo empty;
    store_account_facts(none, empty);
    EXPECT_EQ(empty.logon_server, "");
    EXPECT_EQ(empty.logon_drive, "");
    EXPECT_EQ(empty.max_password_age, 0);
}

} // namespace
} // namespace vtx
