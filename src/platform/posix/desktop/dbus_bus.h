// A connection to the system or the session bus through sd-bus (libsystemd, loaded at first
// use), for the desktop's services: logind, timedated, notifications, the session manager.
// Connecting and the calls made with `call` and `get_bool` share 10 s in all, so a bus or a
// service that accepts and never answers holds a statement no longer; `send` (a call the
// caller builds) waits at most its own limit.
#pragma once

#include <cstdint>
#include <string>
#include <systemd/sd-bus.h>
#include <vector>

#include "platform/posix/shared_library.h"
#include "platform/status.h"

namespace vtx::platform {

class DbusBus {
  public:
    enum class Which { system, session };

    DbusBus() = default;
    ~DbusBus();
    DbusBus(const DbusBus&) = delete;
    DbusBus& operator=(const DbusBus&) = delete;

    // Connects to the bus that DBUS_SYSTEM_BUS_ADDRESS / DBUS_SESSION_BUS_ADDRESS (or the
    // usual socket) names: 0; 126 when libsystemd is missing; 1062 when there is no bus or
    // it does not answer in time.
    int32_t open(Which which);

    // Calls a method with sd-bus's type string and arguments: 0, or the reply's error as
    // status_of_error gives it (1062 when the time is up). `reply`, when given, receives the
    // reply (unref it with `unref`).
    template <class... Args>
    int32_t call(sd_bus_message** reply, const char* destination, const char* path,
                 const char* interface, const char* member, const char* types, Args... args) {
        if (!time_left()) return status::kServiceNotActive;
        sd_bus_error error = SD_BUS_ERROR_NULL;
        int rc =
            call_method_(bus_, destination, path, interface, member, &error, reply, types, args...);
        return finish(rc, error);
    }

    // A method call for the caller to fill with `append`, sent by `send`, which waits at
    // most `timeout_us` for the reply (the bus's own limit still holds): 0 or a status as
    // for `call`. `message` is unreferenced by `send` also when it fails.
    bool new_call(sd_bus_message** message, const char* destination, const char* path,
                  const char* interface, const char* member);
    template <class... Args> bool append(sd_bus_message* m, const char* types, Args... args) {
        return message_append_(m, types, args...) >= 0;
    }
    bool append_strings(sd_bus_message* m, const std::vector<std::string>& strings);
    int32_t send(sd_bus_message* message, sd_bus_message** reply, uint64_t timeout_us);

    // Signals matching `rule` (a match rule) go to `handler` while the bus lives: 0 or a
    // status as for `call`.
    int32_t watch(const char* rule, sd_bus_message_handler_t handler, void* userdata);
    // Hands one arrived message to its handler, or else waits at most `timeout_us` for one
    // to arrive: false when the connection is gone. Callers loop until their handler has
    // seen what they wait for or their deadline has passed.
    bool dispatch(uint64_t timeout_us);
    bool is_signal(sd_bus_message* m, const char* interface, const char* member) {
        return message_is_signal_(m, interface, member) > 0;
    }

    // Reads a boolean property: 0 and its value, or a status as for `call`.
    int32_t get_bool(const char* destination, const char* path, const char* interface,
                     const char* member, bool& value);

    // Reads the reply's next arguments by type string, as sd_bus_message_read does.
    template <class... Args> bool read(sd_bus_message* m, const char* types, Args... args) {
        return message_read_(m, types, args...) >= 0;
    }
    void unref(sd_bus_message* m) { message_unref_(m); }
    // The strings of a reply's string array.
    bool read_strings(sd_bus_message* m, std::vector<std::string>& strings);
    // The keys of a reply's a{sv} dictionary, the values skipped.
    bool read_dict_keys(sd_bus_message* m, std::vector<std::string>& keys);

    // The status for a D-Bus error name: 5 for refusals (also polkit's), 1062 for a name
    // nobody owns or no reply in time, 120 for a method or interface the service lacks, 1312
    // when logind knows no such session, 1 for anything else.
    static int32_t status_of_error(const char* name);

  private:
    int32_t finish(int rc, sd_bus_error& error);
    // Waits, within the connection's time, until the bus has taken this client: 0 or 1062.
    int32_t wait_ready(decltype(&sd_bus_is_ready) is_ready, decltype(&sd_bus_process) process,
                       decltype(&sd_bus_wait) wait);
    // Gives the next call what is left of the connection's time: false when none is.
    bool time_left();

    long long deadline_ms_ = 0;
    decltype(&sd_bus_set_method_call_timeout) set_timeout_ = nullptr;
    SharedLibrary lib_{"libsystemd.so.0"};
    sd_bus* bus_ = nullptr;
    decltype(&sd_bus_call_method) call_method_ = nullptr;
    decltype(&sd_bus_message_read) message_read_ = nullptr;
    decltype(&sd_bus_message_unref) message_unref_ = nullptr;
    decltype(&sd_bus_get_property_trivial) get_property_ = nullptr;
    decltype(&sd_bus_error_free) error_free_ = nullptr;
    decltype(&sd_bus_close_unref) close_ = nullptr;
    decltype(&sd_bus_message_enter_container) enter_ = nullptr;
    decltype(&sd_bus_message_exit_container) exit_ = nullptr;
    decltype(&sd_bus_message_skip) skip_ = nullptr;
    decltype(&sd_bus_message_new_method_call) new_call_ = nullptr;
    decltype(&sd_bus_message_append) message_append_ = nullptr;
    decltype(&sd_bus_message_append_strv) append_strv_ = nullptr;
    decltype(&sd_bus_call) send_ = nullptr;
    decltype(&sd_bus_add_match) add_match_ = nullptr;
    decltype(&sd_bus_process) process_ = nullptr;
    decltype(&sd_bus_wait) wait_ = nullptr;
    decltype(&sd_bus_message_is_signal) message_is_signal_ = nullptr;
};

} // namespace vtx::platform
