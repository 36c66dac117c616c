// The server clock on POSIX: the time asked over SNTP or SMB2, set through timedated when it
// runs, else with clock_settime.
#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <sys/timex.h>

#include "platform/fuzzing.h"
#include "platform/messaging.h"
#include "platform/posix/desktop/dbus_bus.h"
#include "platform/posix/errno_status.h"
#include "platform/posix/network/time_query.h"
#include "platform/status.h"

namespace vtx::platform {

namespace {

constexpr const char* kTimedated = "org.freedesktop.timedate1";
constexpr const char* kTimedatedPath = "/org/freedesktop/timedate1";
// A clock kept by an automatic source is left alone when it is this close to the server.
constexpr std::time_t kCloseEnoughSeconds = 2;

std::tm tm_of(const ClockTime& t) {
    std::tm tm{};
    tm.tm_year = t.year - 1900;
    tm.tm_mon = t.month - 1;
    tm.tm_mday = t.day;
    tm.tm_hour = t.hour;
    tm.tm_min = t.minute;
    tm.tm_sec = t.second;
    tm.tm_isdst = -1;
    return tm;
}

// Another program keeps the clock: the script may only confirm it.
int32_t confirm_synchronised(std::time_t target) {
    std::time_t off = std::time(nullptr) - target;
    return std::abs(off) <= kCloseEnoughSeconds ? 0 : status::kPrivilegeNotHeld;
}

// timedated's answer: 0, 1314, another status, or 1062 when it does not run.
int32_t set_through_timedated(std::time_t target) {
    DbusBus bus;
    if (int32_t st = bus.open(DbusBus::Which::system)) return st;
    bool automatic = false;
    if (int32_t st = bus.get_bool(kTimedated, kTimedatedPath, kTimedated, "NTP", automatic))
        return st;
    if (automatic) return confirm_synchronised(target);
    int64_t usec = int64_t(target) * 1'000'000;
    int32_t st =
        bus.call(nullptr, kTimedated, kTimedatedPath, kTimedated, "SetTime", "xbb", usec, 0, 0);
    // A refusal by the system's policy is what Windows reports as the missing time privilege.
    return st == status::kAccessDenied ? status::kPrivilegeNotHeld : st;
}

// True when the kernel says an NTP daemon disciplines the clock.
bool kernel_synchronised() {
    timex tx{};
    return ::adjtimex(&tx) != TIME_ERROR;
}

int32_t set_clock(std::time_t target) {
    if constexpr (kFuzzing) return status::kNotSupported;
    if (target == std::time_t(-1)) return status::kInvalidParameter;
    int32_t st = set_through_timedated(target);
    // Only a missing timedated (or bus library) falls through to setting the clock here.
    if (st != status::kServiceNotActive && st != status::kModuleNotFound) return st;
    if (kernel_synchronised()) return confirm_synchronised(target);
    timespec ts{target, 0};
    if (::clock_settime(CLOCK_REALTIME, &ts) == 0) return 0;
    // EPERM is the missing CAP_SYS_TIME: Windows' 1314 for the same lack.
    return errno == EPERM ? status::kPrivilegeNotHeld : status_from_errno(errno);
}

} // namespace

// The domain's controller keeps the domain's time: the logon server is the time source.
int32_t lanman_find_time_source(const std::string& logon_server, std::string& name) {
    std::size_t start = logon_server.find_first_not_of('\\');
    name = start == std::string::npos ? "" : logon_server.substr(start);
    return 0;
}

int32_t lanman_remote_time(const std::string& server, ClockTime& utc) {
    std::string host = server.substr(0, 2) == "\\\\" ? server.substr(2) : server;
    std::time_t when = 0;
    if (int32_t st = query_server_time(host, when)) return st;
    std::tm tm{};
    ::gmtime_r(&when, &tm);
    utc = {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
    return 0;
}

int32_t helper_remote_time(HelperTimeBuffer&) {
    return status::kNotSupported; // the 9x line's helper library: never used on POSIX
}

int32_t set_clock_utc(const ClockTime& t) {
    std::tm tm = tm_of(t);
    return set_clock(::timegm(&tm));
}

int32_t set_clock_local(const ClockTime& t) {
    std::tm tm = tm_of(t);
    return set_clock(std::mktime(&tm));
}

} // namespace vtx::platform
