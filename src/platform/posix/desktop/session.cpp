// Log-off and shut-down on POSIX: the desktop's session manager and logind on the buses,
// another computer through Samba's `net rpc shutdown`.
#include <cstdlib>
#include <ctime>
#include <unistd.h>

#include "platform/diagnostics.h"
#include "platform/fuzzing.h"
#include "platform/posix/desktop/dbus_bus.h"
#include "platform/posix/helper_program.h"
#include "platform/posix/network/host_address.h"
#include "platform/shell.h"
#include "platform/status.h"
#include "platform/text_rules.h"

namespace vtx::platform {

namespace {

constexpr const char* kLogind = "org.freedesktop.login1";
constexpr const char* kLogindPath = "/org/freedesktop/login1";
constexpr const char* kLogindManager = "org.freedesktop.login1.Manager";
// A host that never answers must not hold the script longer than this.
constexpr int kNetSeconds = 30;

// Asks the desktop's session manager to end the session as a person would, so that
// applications may still save or object: 0, its refusal, or 1062 when none answers.
int32_t ask_session_manager() {
    DbusBus bus;
    if (int32_t st = bus.open(DbusBus::Which::session)) return st;
    // GNOME, Cinnamon and MATE: mode 1 is "no confirmation dialog".
    int32_t st = bus.call(nullptr, "org.gnome.SessionManager", "/org/gnome/SessionManager",
                          "org.gnome.SessionManager", "Logout", "u", 1u);
    if (st != status::kServiceNotActive) return st;
    // XFCE: no dialog, applications may save.
    return bus.call(nullptr, "org.xfce.SessionManager", "/org/xfce/SessionManager",
                    "org.xfce.Session.Manager", "Logout", "bb", 0, 1);
}

// This process's logind session, by its process or else by XDG_SESSION_ID: 0 and its path.
int32_t own_session(DbusBus& bus, std::string& path) {
    sd_bus_message* reply = nullptr;
    int32_t st = bus.call(&reply, kLogind, kLogindPath, kLogindManager, "GetSessionByPID", "u",
                          uint32_t(::getpid()));
    const char* id = std::getenv("XDG_SESSION_ID");
    if (st != 0 && id && *id)
        st = bus.call(&reply, kLogind, kLogindPath, kLogindManager, "GetSession", "s", id);
    if (st != 0) return st;
    const char* object = nullptr;
    if (!bus.read(reply, "o", &object))
        st = status::kInvalidFunction;
    else
        path = object;
    bus.unref(reply);
    return st;
}

int32_t shutdown_here(const std::string& message, uint32_t seconds, bool reboot) {
    DbusBus bus;
    if (int32_t st = bus.open(DbusBus::Which::system)) return st;
    // logind writes the message to every terminal here, as it stands.
    std::string wall = visible_controls(message, terminal_high_bytes());
    int32_t st = bus.call(nullptr, kLogind, kLogindPath, kLogindManager, "SetWallMessage", "sb",
                          wall.c_str(), int(!message.empty()));
    // An older logind without wall messages still shuts down; a refusal or no logind stops.
    if (st == status::kAccessDenied || st == status::kServiceNotActive) return st;
    if (seconds == 0)
        return bus.call(nullptr, kLogind, kLogindPath, kLogindManager,
                        reboot ? "Reboot" : "PowerOff", "b", 0);
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    uint64_t when = (uint64_t(now.tv_sec) + seconds) * 1'000'000 + uint64_t(now.tv_nsec) / 1000;
    return bus.call(nullptr, kLogind, kLogindPath, kLogindManager, "ScheduleShutdown", "st",
                    reboot ? "reboot" : "poweroff", when);
}

struct NetOutcome {
    const char* text;
    int32_t status;
};

// What `net` says when it fails, as the Windows call's status.
const NetOutcome kNetOutcomes[] = {
    {"ACCESS_DENIED", status::kAccessDenied},
    {"LOGON_FAILURE", status::kAccessDenied},
    {"SHUTDOWN_IN_PROGRESS", status::kShutdownInProgress},
    {"CONNECTION_REFUSED", status::kBadNetPath},
    {"HOST_UNREACHABLE", status::kBadNetPath},
    {"IO_TIMEOUT", status::kBadNetPath},
    {"Unable to find a suitable server", status::kBadNetPath},
};

int32_t shutdown_remote(const std::string& computer, const std::string& message, uint32_t seconds,
                        bool force, bool reboot) {
    std::string host = computer_name(computer);
    if (host.empty()) return status::kBadNetPath;
    // The user's own credentials: a Kerberos ticket, or what the Samba tools take from the
    // environment; never a prompt.
    std::vector<std::string> argv = {"net",
                                     "rpc",
                                     "shutdown",
                                     "-S",
                                     host,
                                     "-C",
                                     message,
                                     "-t",
                                     std::to_string(seconds),
                                     "--use-kerberos=desired"};
    std::string address = ipv4_address_of(host);
    if (!address.empty()) argv.insert(argv.end(), {"-I", address});
    if (force) argv.push_back("-f");
    if (reboot) argv.push_back("-r");
    std::string output;
    int rc = run_helper(argv, "", output, kNetSeconds);
    if (rc == 0) return 0;
    if (rc == kHelperMissing) return status::kModuleNotFound;
    for (const NetOutcome& o : kNetOutcomes)
        if (output.find(o.text) != std::string::npos) return o.status;
    // Killed at its limit or ended by a signal: the host did not answer in time.
    return rc == kHelperFailed ? status::kTimeout : status::kInvalidFunction;
}

bool is_this_computer(const std::string& computer) {
    std::string name = computer_name(computer);
    char host[256] = "";
    ::gethostname(host, sizeof host - 1);
    std::string own = host;
    return equal_nocase(name, own) || equal_nocase(name, own.substr(0, own.find('.')));
}

} // namespace

int32_t shutdown_computer(const std::string& computer, const std::string& message,
                          uint32_t timeout_seconds, bool force, bool reboot) {
    if constexpr (kFuzzing) return status::kNotSupported;
    if (computer.empty() || is_this_computer(computer))
        return shutdown_here(message, timeout_seconds, reboot);
    return shutdown_remote(computer, message, timeout_seconds, force, reboot);
}

int32_t log_off(bool force) {
    if constexpr (kFuzzing) return status::kNotSupported;
    if (!force) {
        int32_t st = ask_session_manager();
        if (st != status::kServiceNotActive && st != status::kModuleNotFound) return st;
    }
    DbusBus bus;
    if (int32_t st = bus.open(DbusBus::Which::system)) return st;
    std::string path;
    if (int32_t st = own_session(bus, path)) return st;
    return bus.call(nullptr, kLogind, path.c_str(), "org.freedesktop.login1.Session", "Terminate",
                    "");
}

} // namespace vtx::platform
