#include "platform/posix/network/domain_config.h"

#include <gtest/gtest.h>

namespace vtx::platform {
namespace {

const char* const kKrb5 = "# written by the join\n"
                          "[libdefaults]\n"
                          "\tdns_lookup_realm = false\n"
                          "  default_realm  =  EXAMPLE.TEST  \r\n"
                          "[realms]\n"
                          "EXAMPLE.TEST = {\n"
                          "\tdefault_realm = INSIDE.A.BLOCK\n"
                          "\tkdc = dc1.example.test\n"
                          "}\n"
                          "[domain_realm]\n"
                          "\tdc1 = EXAMPLE.TEST\n";

TEST(DomainConfig, ReadsAKeyOfItsSectionOnly) {
    EXPECT_EQ(config_value(kKrb5, "libdefaults", "default_realm"), "EXAMPLE.TEST");
    EXPECT_EQ(config_value(kKrb5, "libdefaults", "dns_lookup_realm"), "false");
    EXPECT_EQ(config_value(kKrb5, "domain_realm", "dc1"), "EXAMPLE.TEST");
    EXPECT_EQ(config_value(kKrb5, "realms", "kdc"), ""); // inside a brace block
    EXPECT_EQ(config_value(kKrb5, "realms", "default_realm"), "");
    EXPECT_EQ(config_value(kKrb5, "libdefaults", "kdc"), "");
    EXPECT_EQ(config_value("", "libdefaults", "default_realm"), "");
}

TEST(DomainConfig, ReadsTheSssdDomainsLine) {
    const char* sssd = "[sssd]\n"
                       "; services = nss\n"
                       "domains = example.test, other.test\n"
                       "[domain/example.test]\n"
                       "id_provider = ad\n";
    EXPECT_EQ(config_value(sssd, "sssd", "domains"), "example.test, other.test");
    EXPECT_EQ(config_value(sssd, "sssd", "services"), "");
    EXPECT_EQ(config_value(sssd, "domain/example.test", "id_provider"), "ad");
}

} // namespace
} // namespace vtx::platform
