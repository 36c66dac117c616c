#include "platform/system.h"

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <malloc.h>
#include <pwd.h>
#include <sys/utsname.h>
#include <unistd.h>

#include "platform/posix/errno_status.h"
#include "platform/text_rules.h"

extern char** environ;

namespace vtx::platform {

LocalTime local_time() {
    std::time_t now = std::time(nullptr);
    std::tm tm{};
    ::localtime_r(&now, &tm);
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_wday,
            tm.tm_hour,        tm.tm_min,     tm.tm_sec};
}

void memory_initialise() {
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
}

OsVersion os_version() {
    OsVersion v;
    // The NT line: the engine then takes the NT paths (messages, time, user facts), the ones
    // built here; the 9x line's helper library has no POSIX side.
    v.platform_id = 2;
    utsname u{};
    if (::uname(&u) == 0) {
        char* end = nullptr;
        v.major = uint32_t(std::strtoul(u.release, &end, 10));
        if (end && *end == '.') v.minor = uint32_t(std::strtoul(end + 1, &end, 10));
    }
    return v;
}

std::string logon_user_name() {
    if (passwd* pw = ::getpwuid(::geteuid())) return pw->pw_name;
    return {};
}

namespace {

// The name under which a variable is set: the exact one when set, else the first whose
// name matches without regard to case, as Windows compares them; else `name` itself.
std::string name_in_use(const std::string& name) {
    if (std::getenv(name.c_str())) return name;
    for (char** e = environ; e && *e; ++e) {
        std::string_view entry(*e);
        std::size_t equals = entry.find('=');
        if (equals != 0 && equals != entry.npos && equal_nocase(entry.substr(0, equals), name))
            return std::string(entry.substr(0, equals));
    }
    return name;
}

} // namespace

bool get_environment(const std::string& name, std::string& value) {
    const char* v = std::getenv(name_in_use(name).c_str());
    if (!v) return false;
    value = v;
    return true;
}

int32_t set_environment(const std::string& name, const std::string& value) {
    std::string in_use = name_in_use(name);
    int rc =
        // Set to nothing is removed, as on Windows, so a later test finds it absent.
        value.empty() ? ::unsetenv(in_use.c_str()) : ::setenv(in_use.c_str(), value.c_str(), 1);
    return rc == 0 ? 0 : status_from_errno(errno);
}

std::vector<std::string_view> environment_entries() {
    std::vector<std::string_view> entries;
    for (char** e = environ; e && *e; ++e) entries.emplace_back(*e);
    return entries;
}

} // namespace vtx::platform
