#include "platform/posix/desktop/desktop_notification.h"

#include <algorithm>
#include <chrono>
#include <vector>

#include "platform/posix/desktop/dbus_bus.h"
#include "platform/posix/desktop/desktop_entry.h"
#include "platform/posix/terminal/terminal_dialog.h"
#include "platform/status.h"

namespace vtx::platform {

namespace {

constexpr const char* kService = "org.freedesktop.Notifications";
constexpr const char* kPath = "/org/freedesktop/Notifications";
constexpr const char* kOwnName = "vtx32";
constexpr uint8_t kUrgencyCritical = 2;
// Closing a box must not hold the script when the server no longer answers.
constexpr uint64_t kCloseTimeoutMicroseconds = 2'000'000;

using Clock = std::chrono::steady_clock;

// What the server can do: 0, or a status (1062 when it does not answer within `timeout_us`).
int32_t capabilities(DbusBus& bus, uint64_t timeout_us, std::vector<std::string>& names) {
    sd_bus_message* m = nullptr;
    sd_bus_message* reply = nullptr;
    if (!bus.new_call(&m, kService, kPath, kService, "GetCapabilities")) return 1;
    if (int32_t st = bus.send(m, &reply, timeout_us)) return st;
    bool ok = bus.read_strings(reply, names);
    bus.unref(reply);
    return ok ? 0 : 1;
}

bool has(const std::vector<std::string>& names, std::string_view name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

// Sends Notify: 0 and the notification's id, or a status.
int32_t notify(DbusBus& bus, const std::string& summary, const std::string& body,
               const std::vector<std::string>& actions, bool stays, uint64_t timeout_us,
               uint32_t& id) {
    sd_bus_message* m = nullptr;
    if (!bus.new_call(&m, kService, kPath, kService, "Notify")) return 1;
    bool built = bus.append(m, "susss", kOwnName, 0u, "", summary.c_str(), body.c_str()) &&
                 bus.append_strings(m, actions);
    // A box stays until answered: critical urgency and no expiry, and resident so that the
    // server leaves the closing to us once an action is chosen.
    built = built && (stays ? bus.append(m, "a{sv}i", 2, "urgency", "y", kUrgencyCritical,
                                         "resident", "b", 1, 0)
                            : bus.append(m, "a{sv}i", 0, -1));
    if (!built) {
        bus.unref(m);
        return 1; // text the bus refuses (not UTF-8 after all)
    }
    sd_bus_message* reply = nullptr;
    if (int32_t st = bus.send(m, &reply, timeout_us)) return st;
    bool ok = bus.read(reply, "u", &id);
    bus.unref(reply);
    return ok ? 0 : 1;
}

void close_notification(DbusBus& bus, uint32_t id) {
    sd_bus_message* m = nullptr;
    if (!bus.new_call(&m, kService, kPath, kService, "CloseNotification")) return;
    if (!bus.append(m, "u", id)) return bus.unref(m);
    sd_bus_message* reply = nullptr;
    if (bus.send(m, &reply, kCloseTimeoutMicroseconds) == 0) bus.unref(reply);
}

// The answer to one box, as its signals tell it.
struct BoxState {
    DbusBus* bus = nullptr;
    uint32_t id = 0;
    std::string action; // the key of the chosen action
    bool closed = false;
};

int on_signal(sd_bus_message* m, void* userdata, sd_bus_error*) {
    BoxState& box = *static_cast<BoxState*>(userdata);
    uint32_t id = 0, reason = 0;
    const char* key = nullptr;
    const char* old_owner = nullptr;
    const char* new_owner = nullptr;
    if (box.bus->is_signal(m, kService, "ActionInvoked")) {
        if (box.bus->read(m, "us", &id, &key) && id == box.id && box.action.empty())
            box.action = key;
    } else if (box.bus->is_signal(m, kService, "NotificationClosed")) {
        if (box.bus->read(m, "uu", &id, &reason) && id == box.id) box.closed = true;
    } else if (box.bus->is_signal(m, "org.freedesktop.DBus", "NameOwnerChanged")) {
        // The server went away: nobody can answer any more.
        if (box.bus->read(m, "sss", &key, &old_owner, &new_owner) && !*new_owner) box.closed = true;
    }
    return 0;
}

// The button code an action key names, or 0 for a key the box did not offer.
int32_t code_of(const BoxButtons& set, const std::string& key) {
    if (key == "default") return set.buttons[set.default_button].code;
    for (const DialogButton& b : set.buttons)
        if (key == std::to_string(b.code)) return b.code;
    return 0;
}

} // namespace

std::string notification_text(std::string_view text, bool markup) {
    std::string utf8 = as_utf8(text);
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        unsigned char c = utf8[i];
        if (c == '\r') {
            if (i + 1 < utf8.size() && utf8[i + 1] == '\n') continue;
            out += '\n';
        } else if (c == '\n' || c == '\t') {
            out += char(c);
        } else if (c < 0x20 || c == 0x7F) {
            // U+2400 to U+241F, and U+2421 for Delete: the control pictures.
            out += "\xE2\x90";
            out += char(0x80 + (c == 0x7F ? 0x21 : c));
        } else if (markup && c == '&') {
            out += "&amp;";
        } else if (markup && c == '<') {
            out += "&lt;";
        } else if (markup && c == '>') {
            out += "&gt;";
        } else {
            out += char(c);
        }
    }
    return out;
}

std::string notification_title(std::string_view text) {
    std::string title = notification_text(text, false);
    std::replace(title.begin(), title.end(), '\n', ' ');
    return title;
}

int32_t notify_desktop(const std::string& summary, const std::string& body) {
    DbusBus bus;
    if (int32_t st = bus.open(DbusBus::Which::session)) return st;
    std::vector<std::string> names;
    int32_t asked = capabilities(bus, UINT64_MAX, names);
    // A server that does not answer gets no second call to wait for.
    if (asked == status::kServiceNotActive) return asked;
    bool markup = asked == 0 && has(names, "body-markup");
    uint32_t id = 0;
    return notify(bus, notification_title(summary), notification_text(body, markup), {}, false,
                  UINT64_MAX, id);
}

bool notification_box(const std::string& text, const std::string& title, uint32_t style,
                      uint32_t timeout_seconds, int32_t& answer) {
    BoxButtons set;
    if (!box_buttons(style, set)) return false;
    Clock::time_point deadline = Clock::now() + std::chrono::seconds(timeout_seconds);
    // Microseconds left before the box's time-out; no limit without one.
    auto left = [&]() -> uint64_t {
        if (!timeout_seconds) return UINT64_MAX;
        auto us = std::chrono::duration_cast<std::chrono::microseconds>(deadline - Clock::now());
        return us.count() > 0 ? uint64_t(us.count()) : 0;
    };
    auto timed_out = [&] { return timeout_seconds && left() == 0; };

    DbusBus bus;
    if (bus.open(DbusBus::Which::session) != 0) return false;
    std::vector<std::string> names;
    if (capabilities(bus, left(), names) != 0) {
        if (!timed_out()) return false;
        answer = -1; // a server that never answers: the time-out still ends the box
        return true;
    }
    if (!has(names, "actions")) return false;

    BoxState box;
    box.bus = &bus;
    if (bus.watch("type='signal',interface='org.freedesktop.Notifications',"
                  "path='/org/freedesktop/Notifications'",
                  on_signal, &box) != 0 ||
        bus.watch("type='signal',sender='org.freedesktop.DBus',member='NameOwnerChanged',"
                  "arg0='org.freedesktop.Notifications'",
                  on_signal, &box) != 0)
        return false;

    std::vector<std::string> actions;
    for (const DialogButton& b : set.buttons) {
        actions.push_back(std::to_string(b.code));
        actions.push_back(b.label);
    }
    actions.push_back("default");
    actions.push_back(set.buttons[set.default_button].label);
    std::string body = notification_text(text, has(names, "body-markup"));
    if (notify(bus, notification_title(title), body, actions, true, left(), box.id) != 0) {
        if (!timed_out()) return false;
        answer = -1;
        return true;
    }

    int32_t code = 0;
    while (!code && !box.closed) {
        if (timed_out()) {
            close_notification(bus, box.id);
            answer = -1;
            return true;
        }
        if (!bus.dispatch(left())) break; // the bus went away: as dismissed
        if (!box.action.empty()) {
            code = code_of(set, box.action);
            box.action.clear(); // a key the box did not offer is not an answer
        }
    }
    if (code) close_notification(bus, box.id);
    answer = code ? code : set.escape_code;
    return true;
}

} // namespace vtx::platform
