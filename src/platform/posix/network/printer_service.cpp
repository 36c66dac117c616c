#include "platform/posix/network/printer_service.h"

#include "platform/posix/desktop/dbus_bus.h"
#include "platform/status.h"

namespace vtx::platform {

namespace {
constexpr const char* kService = "org.opensuse.CupsPkHelper.Mechanism";
} // namespace

int32_t add_queue_through_service(const std::string& name, const std::string& device_uri,
                                  const std::string& info) {
    DbusBus bus;
    if (bus.open(DbusBus::Which::system)) return status::kAccessDenied;
    sd_bus_message* reply = nullptr;
    // No driver: the share's server does the rendering, as for the queues made directly.
    int32_t st = bus.call(&reply, kService, "/", kService, "PrinterAdd", "sssss", name.c_str(),
                          device_uri.c_str(), "", info.c_str(), "");
    if (st) return status::kAccessDenied;
    // The service answers the scheduler's own refusal as text; none means the queue is there.
    const char* error = nullptr;
    bool ok = bus.read(reply, "s", &error) && error && !*error;
    bus.unref(reply);
    if (!ok) return status::kAccessDenied;
    // A new queue may start stopped and refusing jobs; a Windows connection is ready at once.
    // The queue is there either way, so these only help.
    bus.call(nullptr, kService, "/", kService, "PrinterSetEnabled", "sb", name.c_str(), 1);
    bus.call(nullptr, kService, "/", kService, "PrinterSetAcceptJobs", "sbs", name.c_str(), 1, "");
    return 0;
}

} // namespace vtx::platform
