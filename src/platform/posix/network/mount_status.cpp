#include "platform/posix/network/mount_status.h"

#include "platform/status.h"

namespace vtx::platform {

namespace {

bool says(std::string_view message, std::string_view what) {
    return message.find(what) != std::string_view::npos;
}

} // namespace

int32_t mount_error_status(bool io_domain, int code, std::string_view message) {
    // Outside G_IO_ERROR the failure is the bus's: nothing in the session answers for SMB.
    if (!io_domain) return status::kNoNetwork;
    switch (code) {
    case gio_error::kNotFound: return status::kBadNetName;
    case gio_error::kFailedHandled: return status::kLogonFailure;
    case gio_error::kPermissionDenied: return status::kAccessDenied;
    case gio_error::kNotSupported:
    case gio_error::kDbusError: return status::kNoNetwork;
    case gio_error::kBusy: return status::kDeviceInUse;
    case gio_error::kCancelled:
    case gio_error::kTimedOut:
    case gio_error::kHostNotFound:
    case gio_error::kHostUnreachable:
    case gio_error::kNetworkUnreachable:
    case gio_error::kConnectionRefused:
    case gio_error::kNotConnected: return status::kBadNetPath;
    default: break;
    }
    // The SMB backend words libsmbclient's errno into a G_IO_ERROR_FAILED message.
    if (says(message, "No such file or directory") || says(message, "No such device"))
        return status::kBadNetName;
    if (says(message, "Permission denied")) return status::kLogonFailure;
    return status::kBadNetPath;
}

} // namespace vtx::platform
