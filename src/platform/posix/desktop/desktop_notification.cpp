#include "platform/posix/desktop/desktop_notification.h"

#include "platform/posix/desktop/dbus_bus.h"

namespace vtx::platform {

int32_t notify_desktop(const std::string& summary, const std::string& body) {
    DbusBus bus;
    if (int32_t st = bus.open(DbusBus::Which::session)) return st;
    // No actions, no hints; the server's own display time (-1).
    return bus.call(nullptr, "org.freedesktop.Notifications", "/org/freedesktop/Notifications",
                    "org.freedesktop.Notifications", "Notify", "susssasa{sv}i", "vtx32", 0u, "",
                    summary.c_str(), body.c_str(), 0, 0, -1);
}

} // namespace vtx::platform
