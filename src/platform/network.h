// Network drive connections (redirected devices). Every call returns a Win32-numbered
// status (platform/status.h). POSIX mounts shares through GVfs in the user's session and
// keeps its drive letters in the drive table (platform/posix/drive_table.h).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vtx::platform {

// Connects local `device` (`X:`, `LPT1:`) to `remote` (`\\server\share`); a null user or
// password means the current one. 0; otherwise the provider's status, for example 53/67 the
// server or share cannot be found, 85 the device is in use, 86 wrong password, 1200 bad
// device name, 1222 no network. POSIX: 0 also with an empty device (the share is mounted,
// its UNC paths resolve); 1326 logon failure (never a prompt); 53 also when the mount
// timed out; 1222 without a session bus or GVfs; 50 for a printer port.
int32_t add_connection(const std::string& device, const std::string& remote,
                       const std::string* user, const std::string* password);

// Cancels the connection of `device`, even with files open on it: 0; 2250 not connected,
// 1222 no network. POSIX unmounts the share when no other letter shows it.
int32_t cancel_connection(const std::string& device);

struct Connection {
    std::string local; // empty for a connection without a device
    std::string remote;
};

// Lists the current connections with one enumeration call. `opened` is false when the
// list could not be opened at all (the status then says why, e.g. 1222 no network).
// Otherwise 0 with the entries in `out`, 259 when there are none, or the status of the
// failed enumeration. POSIX: always opened; the live drive letters, then the SMB shares
// GVfs holds without a letter (empty local name).
int32_t list_connections(std::vector<Connection>& out, bool& opened);

// True when `logon_drive` (`\\SERVER\NETLOGON\`) names a share this session has mounted,
// so that scripts on it can be found. POSIX: mounted through GVfs (by USE or otherwise); the
// logon-share flag then comes from it. Windows: false, the flag comes from PATH alone.
bool logon_share_mounted(const std::string& logon_drive);

} // namespace vtx::platform
