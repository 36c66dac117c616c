#include "platform/posix/desktop/dbus_bus.h"

#include <algorithm>
#include <cstring>

#include "platform/fuzzing.h"
#include "platform/posix/descriptor_io.h"
#include "platform/status.h"

namespace vtx::platform {

namespace {

// A script waits for no bus or service longer than this, from connecting to the last reply
// of `call`; a reply to `send` is waited for no longer either.
constexpr long long kConnectionMs = 10'000;
constexpr uint64_t kCallTimeoutMicroseconds = kConnectionMs * 1000;

struct ErrorStatus {
    const char* name;
    int32_t status;
};

const ErrorStatus kErrorStatuses[] = {
    {"org.freedesktop.DBus.Error.AccessDenied", status::kAccessDenied},
    {"org.freedesktop.DBus.Error.InteractiveAuthorizationRequired", status::kAccessDenied},
    {"org.freedesktop.PolicyKit1.Error.NotAuthorized", status::kAccessDenied},
    {"org.freedesktop.DBus.Error.ServiceUnknown", status::kServiceNotActive},
    {"org.freedesktop.DBus.Error.NameHasNoOwner", status::kServiceNotActive},
    {"org.freedesktop.DBus.Error.Disconnected", status::kServiceNotActive},
    {"org.freedesktop.DBus.Error.UnknownMethod", status::kCallNotImplemented},
    {"org.freedesktop.DBus.Error.UnknownInterface", status::kCallNotImplemented},
    {"org.freedesktop.DBus.Error.UnknownObject", status::kCallNotImplemented},
    {"org.freedesktop.DBus.Error.UnknownProperty", status::kCallNotImplemented},
    {"org.freedesktop.login1.NoSessionForPID", status::kNoSuchLogonSession},
    {"org.freedesktop.login1.NoSuchSession", status::kNoSuchLogonSession},
    // A service that does not answer in time counts as none.
    {"org.freedesktop.DBus.Error.NoReply", status::kServiceNotActive},
    {"org.freedesktop.DBus.Error.Timeout", status::kServiceNotActive},
};

} // namespace

// Every call waits for its reply, so nothing is left to flush; a flush would wait out sd-bus's
// own 90 s for a bus that never finished greeting this client.
DbusBus::~DbusBus() {
    if (bus_) close_(bus_);
}

int32_t DbusBus::open(Which which) {
    if constexpr (kFuzzing) return status::kNotSupported;
    deadline_ms_ = monotonic_ms() + kConnectionMs;
    decltype(&sd_bus_open_system) open_bus = nullptr;
    decltype(&sd_bus_is_ready) is_ready = nullptr;
    decltype(&sd_bus_process) process = nullptr;
    decltype(&sd_bus_wait) wait = nullptr;
    const char* opener = which == Which::system ? "sd_bus_open_system" : "sd_bus_open_user";
    if (!lib_.bind(open_bus, opener) ||
        !lib_.bind(set_timeout_, "sd_bus_set_method_call_timeout") ||
        !lib_.bind(is_ready, "sd_bus_is_ready") || !lib_.bind(process, "sd_bus_process") ||
        !lib_.bind(wait, "sd_bus_wait") || !lib_.bind(call_method_, "sd_bus_call_method") ||
        !lib_.bind(message_read_, "sd_bus_message_read") ||
        !lib_.bind(message_unref_, "sd_bus_message_unref") ||
        !lib_.bind(get_property_, "sd_bus_get_property_trivial") ||
        !lib_.bind(error_free_, "sd_bus_error_free") || !lib_.bind(close_, "sd_bus_close_unref") ||
        !lib_.bind(enter_, "sd_bus_message_enter_container") ||
        !lib_.bind(exit_, "sd_bus_message_exit_container") ||
        !lib_.bind(skip_, "sd_bus_message_skip") ||
        !lib_.bind(new_call_, "sd_bus_message_new_method_call") ||
        !lib_.bind(message_append_, "sd_bus_message_append") ||
        !lib_.bind(append_strv_, "sd_bus_message_append_strv") ||
        !lib_.bind(send_, "sd_bus_call") || !lib_.bind(add_match_, "sd_bus_add_match") ||
        !lib_.bind(process_, "sd_bus_process") || !lib_.bind(wait_, "sd_bus_wait") ||
        !lib_.bind(message_is_signal_, "sd_bus_message_is_signal"))
        return status::kModuleNotFound;
    if (open_bus(&bus_) < 0) {
        bus_ = nullptr;
        return status::kServiceNotActive;
    }
    return wait_ready(is_ready, process, wait);
}

// sd-bus itself would wait 90 s for a bus that accepted the connection to authenticate it
// and answer the greeting: the connection is driven here instead, within its own time.
int32_t DbusBus::wait_ready(decltype(&sd_bus_is_ready) is_ready, decltype(&sd_bus_process) process,
                            decltype(&sd_bus_wait) wait) {
    for (;;) {
        int ready = is_ready(bus_);
        if (ready > 0) return 0;
        int done = ready < 0 ? ready : process(bus_, nullptr);
        if (done < 0) return status::kServiceNotActive;
        if (done > 0) continue;
        long long left = deadline_ms_ - monotonic_ms();
        if (left <= 0 || wait(bus_, uint64_t(left) * 1000) < 0) return status::kServiceNotActive;
    }
}

bool DbusBus::time_left() {
    long long left = deadline_ms_ - monotonic_ms();
    // No time left must not reach sd-bus as 0, which means its own default.
    if (left <= 0) return false;
    set_timeout_(bus_, uint64_t(left) * 1000);
    return true;
}

int32_t DbusBus::get_bool(const char* destination, const char* path, const char* interface,
                          const char* member, bool& value) {
    value = false;
    if (!time_left()) return status::kServiceNotActive;
    sd_bus_error error = SD_BUS_ERROR_NULL;
    int v = 0;
    int rc = get_property_(bus_, destination, path, interface, member, &error, 'b', &v);
    value = v != 0;
    return finish(rc, error);
}

bool DbusBus::new_call(sd_bus_message** message, const char* destination, const char* path,
                       const char* interface, const char* member) {
    return new_call_(bus_, message, destination, path, interface, member) >= 0;
}

bool DbusBus::append_strings(sd_bus_message* m, const std::vector<std::string>& strings) {
    std::vector<char*> list;
    for (const std::string& s : strings) list.push_back(const_cast<char*>(s.c_str()));
    list.push_back(nullptr);
    return append_strv_(m, list.data()) >= 0;
}

int32_t DbusBus::send(sd_bus_message* message, sd_bus_message** reply, uint64_t timeout_us) {
    sd_bus_error error = SD_BUS_ERROR_NULL;
    // sd-bus reads 0 as "the default": a deadline already passed is the shortest wait.
    uint64_t limit = std::clamp<uint64_t>(timeout_us, 1, kCallTimeoutMicroseconds);
    int rc = send_(bus_, message, limit, &error, reply);
    message_unref_(message);
    return finish(rc, error);
}

int32_t DbusBus::watch(const char* rule, sd_bus_message_handler_t handler, void* userdata) {
    // The slot is floating: it ends with the connection.
    int rc = add_match_(bus_, nullptr, rule, handler, userdata);
    return rc < 0 ? status::kServiceNotActive : 0;
}

bool DbusBus::dispatch(uint64_t timeout_us) {
    int rc = process_(bus_, nullptr);
    if (rc > 0) return true; // one message handled: the caller looks at its state again
    return rc == 0 && wait_(bus_, timeout_us) >= 0;
}

bool DbusBus::read_strings(sd_bus_message* m, std::vector<std::string>& strings) {
    if (enter_(m, 'a', "s") < 0) return false;
    const char* s = nullptr;
    int rc;
    while ((rc = message_read_(m, "s", &s)) > 0) strings.emplace_back(s);
    return rc == 0 && exit_(m) >= 0;
}

bool DbusBus::read_dict_keys(sd_bus_message* m, std::vector<std::string>& keys) {
    if (enter_(m, 'a', "{sv}") < 0) return false;
    int rc;
    while ((rc = enter_(m, 'e', "sv")) > 0) {
        const char* key = nullptr;
        if (message_read_(m, "s", &key) < 0 || skip_(m, "v") < 0 || exit_(m) < 0) return false;
        keys.emplace_back(key);
    }
    return rc == 0 && exit_(m) >= 0;
}

int32_t DbusBus::finish(int rc, sd_bus_error& error) {
    int32_t st = 0;
    if (rc < 0) st = error.name ? status_of_error(error.name) : status::kServiceNotActive;
    error_free_(&error);
    return st;
}

int32_t DbusBus::status_of_error(const char* name) {
    for (const ErrorStatus& e : kErrorStatuses)
        if (std::strcmp(e.name, name) == 0) return e.status;
    return status::kInvalidFunction;
}

} // namespace vtx::platform
