// Network drive connections (redirected devices). Every call returns a Win32-numbered
// status (platform/status.h). POSIX has no redirected devices: its calls return 50 (not
// supported) or an empty list, and change nothing.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vtx::platform {

// Connects local `device` (`X:`, `LPT1:`) to `remote` (`\\server\share`); a null user or
// password means the current one. 0; otherwise the provider's status, for example 53/67 the
// server or share cannot be found, 85 the device is in use, 86 wrong password, 1200 bad
// device name, 1222 no network; POSIX 50.
int32_t add_connection(const std::string& device, const std::string& remote,
                       const std::string* user, const std::string* password);

// Cancels the connection of `device`, even with files open on it: 0; 2250 not connected,
// 1222 no network; POSIX 50.
int32_t cancel_connection(const std::string& device);

struct Connection {
    std::string local; // empty for a connection without a device
    std::string remote;
};

// Lists the current connections with one enumeration call. `opened` is false when the
// list could not be opened at all (the status then says why, e.g. 1222 no network).
// Otherwise 0 with the entries in `out`, 259 when there are none, or the status of the
// failed enumeration. POSIX: opened, 259.
int32_t list_connections(std::vector<Connection>& out, bool& opened);

} // namespace vtx::platform
