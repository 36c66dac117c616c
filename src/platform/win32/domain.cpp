#include "platform/domain.h"

#include "platform/status.h"

// The LAN manager calls of the account path answer all of this on Windows.
namespace vtx::platform {

int32_t winbind_own_domain(std::string&) {
    return status::kNotSupported;
}

int32_t winbind_domain_names(const std::string&, std::string&, std::string&) {
    return status::kNotSupported;
}

int32_t winbind_domain_controller(const std::string&, std::string&) {
    return status::kNotSupported;
}

int32_t winbind_user_groups(const std::string&, std::vector<std::string>&) {
    return status::kNotSupported;
}

int32_t dns_domain_controller(const std::string&, std::string&) {
    return status::kNotSupported;
}

std::string kerberos_default_realm() {
    return {};
}

std::string sssd_domain() {
    return {};
}

} // namespace vtx::platform
