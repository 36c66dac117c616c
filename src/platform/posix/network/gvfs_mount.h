// SMB shares mounted in the user's session through GVfs. GIO is loaded at the first call,
// in a time-limited child (platform/posix/limited_child.h): a script never waits on a
// session bus or a server longer than the limit, and never on a password prompt.
#pragma once

#include <cstdint>
#include <string>

namespace vtx::platform {

// Seconds one mount or unmount may take before it counts as timed out (53).
inline constexpr int kMountSeconds = 10;

// Mounts smb://server/share. Kerberos when the user holds a ticket; otherwise the given
// user (`DOMAIN\name` or `name`) and password, or a guest connection when neither is given.
// 0 and the share's FUSE folder in `folder`; otherwise a status (mount_status.h): 1222
// without a session bus or GIO, 67, 53, 1326, 5; 50 when GVfs mounted the share but
// shows no FUSE folder for it.
int32_t gvfs_mount(const std::string& server, const std::string& share, const std::string* user,
                   const std::string* password, std::string& folder);

// Unmounts, forced, the GVfs mount that holds `folder`: 0, also when it is no longer
// mounted; otherwise a status as for gvfs_mount.
int32_t gvfs_unmount(const std::string& folder);

} // namespace vtx::platform
