#include "network/domain_names.h"

#include <gtest/gtest.h>

namespace vtx {
namespace {

TEST(AccountName, SplitsBothQualifiedFormsAndLeavesLocalNamesWhole) {
    QualifiedName w = split_account_name("EXAMPLE\\bob");
    EXPECT_EQ(w.domain, "EXAMPLE");
    EXPECT_EQ(w.user, "bob");
    EXPECT_FALSE(w.realm_form);

    QualifiedName s = split_account_name("carol@example.test");
    EXPECT_EQ(s.domain, "example.test");
    EXPECT_EQ(s.user, "carol");
    EXPECT_TRUE(s.realm_form);

    // The last @ separates the realm: sssd keeps an @ that is part of the name.
    EXPECT_EQ(split_account_name("a@b@example.test").user, "a@b");

    for (const char* local : {"root", "\\bob", "EXAMPLE\\", "@example.test", "bob@", ""}) {
        QualifiedName q = split_account_name(local);
        EXPECT_EQ(q.domain, "") << local;
        EXPECT_EQ(q.user, local);
    }
}

TEST(AccountName, FirstLabelIsUpperCaseWithoutBackslashes) {
    EXPECT_EQ(first_label_upper("dc1.example.test"), "DC1");
    EXPECT_EQ(first_label_upper("\\\\dc1.example.test"), "DC1");
    EXPECT_EQ(first_label_upper("\\\\DC1"), "DC1");
    EXPECT_EQ(first_label_upper("example.test."), "EXAMPLE");
    EXPECT_EQ(first_label_upper("\\\\"), "");
    EXPECT_EQ(first_label_upper("d\xe9v.test"), "D\xe9V"); // A to Z only
}

struct Match {
    const char* group;
    const char* wanted;
    bool matches;
};

TEST(DomainGroups, MatchWholeOrByNameWithinTheRightDomain) {
    const Match cases[] = {
        {"EXAMPLE\\sales", "Sales", true},
        {"EXAMPLE\\sales", "EXAMPLE\\Sales", true},
        {"EXAMPLE\\sales", "example\\SALES", true},
        {"EXAMPLE\\sales", "OTHER\\Sales", false},
        {"EXAMPLE\\sales", "Sale", false},
        {"EXAMPLE\\sales", "", false},
        {"EXAMPLE\\Domain Users", "domain users", true},
        {"sales@example.test", "Sales", true},
        {"sales@example.test", "EXAMPLE\\Sales", true},
        {"sales@example.test", "OTHER\\Sales", false},
        {"sales@example.test", "SALES@EXAMPLE.TEST", true},
        {"sales@example.test", "sales@other.test", false},
        {"EXAMPLE\\sales", "sales@example.test", true},
        {"sales", "Sales", true},           // an unqualified name matches whole only
        {"sales", "EXAMPLE\\sales", false}, // no domain to compare against
        {"BUILTIN\\users", "Users", true},  // which list it sits in is decided elsewhere
    };
    for (const Match& m : cases)
        EXPECT_EQ(domain_group_matches(m.group, m.wanted), m.matches)
            << m.group << " / " << m.wanted;
}

TEST(DomainGroups, BuiltinAliasesAreRecognisedCaseBlind) {
    EXPECT_TRUE(is_builtin_group("BUILTIN\\Users"));
    EXPECT_TRUE(is_builtin_group("builtin\\administrators"));
    EXPECT_FALSE(is_builtin_group("EXAMPLE\\BUILTIN"));
    EXPECT_FALSE(is_builtin_group("BUILTIN"));
}

} // namespace
} // namespace vtx
