#include "platform/posix/network/printer_service.h"

#include "platform/posix/desktop/dbus_bus.h"
#include "platform/status.h"

namespace vtx::platform {

namespace {

constexpr const char* kService = "org.opensuse.CupsPkHelper.Mechanism";

// True when the service did what was asked: it answers the scheduler's own refusal as text,
// success as "".
template <typename... Args>
bool service_did(DbusBus& bus, const char* method, const char* types, Args... args) {
    sd_bus_message* reply = nullptr;
    if (bus.call(&reply, kService, "/", kService, method, types, args...)) return false;
    const char* error = nullptr;
    bool ok = bus.read(reply, "s", &error) && error && !*error;
    bus.unref(reply);
    return ok;
}

} // namespace

int32_t add_queue_through_service(const std::string& name, const std::string& device_uri,
                                  const std::string& info) {
    DbusBus bus;
    if (bus.open(DbusBus::Which::system)) return status::kAccessDenied;
    // No driver: the share's server does the rendering, as for the queues made directly.
    if (!service_did(bus, "PrinterAdd", "sssss", name.c_str(), device_uri.c_str(), "", info.c_str(),
                     ""))
        return status::kAccessDenied;
    // A new queue may start stopped and refusing jobs; a Windows connection is ready at once.
    // The queue is there either way, so these only help.
    bus.call(nullptr, kService, "/", kService, "PrinterSetEnabled", "sb", name.c_str(), 1);
    bus.call(nullptr, kService, "/", kService, "PrinterSetAcceptJobs", "sbs", name.c_str(), 1, "");
    return 0;
}

int32_t delete_queue_through_service(const std::string& name) {
    DbusBus bus;
    if (bus.open(DbusBus::Which::system)) return status::kAccessDenied;
    return service_did(bus, "PrinterDelete", "s", name.c_str()) ? 0 : status::kAccessDenied;
}

} // namespace vtx::platform
