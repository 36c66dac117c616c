// Facts about the user, the workstation and the domain, gathered once at start-up.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vtx {

struct UserInfo {
    std::string workstation;
    std::string adapter_address;
    std::string user_id;
    std::string domain;
    std::string logon_domain;
    std::string logon_server;
    std::string lan_root;
    int8_t lm_major = 0;
    int8_t lm_minor = 0;
    std::string comment;
    std::string full_name;
    std::string home_dir;
    std::string home_share;
    int32_t privilege = 0;
    int32_t password_age = 0;
    int32_t max_password_age = 0;
    std::string logon_drive;
    int32_t ip_lookup_done = 0;
    std::string host_name;
    std::string ip_address[4]; // empty = slot absent
    std::vector<std::string> groups;
    std::vector<std::string> local_groups;
};

// The OS version record: platform identifier 2 selects the NT path everywhere.
struct OsVersion {
    uint32_t major = 0;
    uint32_t minor = 0;
    uint32_t build = 0;
    uint32_t platform_id = 2;
    bool is_nt() const { return platform_id == 2; }
};

} // namespace vtx
