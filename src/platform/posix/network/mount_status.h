// How a failed GVfs mount or unmount reads to a script: the Win32 status a Windows
// workstation gives for the same failure.
#pragma once

#include <cstdint>
#include <string_view>

namespace vtx::platform {

// The GIOErrorEnum values a mount can end with (a stable ABI: GIO is loaded at run time).
namespace gio_error {
inline constexpr int kFailed = 0;
inline constexpr int kNotFound = 1;
inline constexpr int kInvalidArgument = 13;
inline constexpr int kPermissionDenied = 14;
inline constexpr int kNotSupported = 15;
inline constexpr int kNotMounted = 16;
inline constexpr int kAlreadyMounted = 17;
inline constexpr int kCancelled = 19;
inline constexpr int kTimedOut = 24;
inline constexpr int kBusy = 26;
inline constexpr int kHostNotFound = 28;
inline constexpr int kFailedHandled = 30;
inline constexpr int kDbusError = 36;
inline constexpr int kHostUnreachable = 37;
inline constexpr int kNetworkUnreachable = 38;
inline constexpr int kConnectionRefused = 39;
inline constexpr int kNotConnected = 45;
} // namespace gio_error

// The status for a GError: `io_domain` tells a G_IO_ERROR from any other domain (D-Bus's,
// for one), `message` is its text, which GVfs's SMB backend uses where the code is only
// G_IO_ERROR_FAILED.
//   share not found 67; host unknown, unreachable or refusing, timed out 53; logon failure
//   (credentials refused, or asked for when none were given) 1326; access denied 5; device
//   busy 2404; no GVfs in the session (no bus, no SMB backend) 1222.
int32_t mount_error_status(bool io_domain, int code, std::string_view message);

} // namespace vtx::platform
