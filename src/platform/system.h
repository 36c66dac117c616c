// Facts about the system: clock, version, user, environment.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vtx {

// The OS version record: platform identifier 2 selects the NT path everywhere.
struct OsVersion {
    uint32_t major = 0;
    uint32_t minor = 0;
    uint32_t build = 0;
    uint32_t platform_id = 2;
    bool is_nt() const { return platform_id == 2; }
};

} // namespace vtx

namespace vtx::platform {

struct LocalTime {
    int year, month, day; // month 1 to 12
    int day_of_week;      // 0 = Sunday
    int hour, minute, second;
};
LocalTime local_time();

// Settles the allocator once at start-up. POSIX: blocks of 128 KB and more (the scan cache
// of each loaded script) always get mappings of their own, returned whole when freed; left
// to itself the C library raises that threshold after the first such block is freed, and the
// caches of later scripts then stay resident. Windows: nothing to do.
void memory_initialise();

// The OS version record (NT line: platform identifier 2).
OsVersion os_version();

// The logged-on user's name as the network provider knows it; empty when unknown.
std::string logon_user_name();

// The value of an environment variable; false when it is not set.
bool get_environment(const std::string& name, std::string& value);
// Sets (or, with an empty value, removes) a variable of this process: 0 or a status.
int32_t set_environment(const std::string& name, const std::string& value);
// The whole process environment in its order, as "NAME=value" entries.
std::vector<std::string_view> environment_entries();

} // namespace vtx::platform
