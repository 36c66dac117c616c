// A message shown on this user's desktop by its notification server.
#pragma once

#include <cstdint>
#include <string>

namespace vtx::platform {

// org.freedesktop.Notifications.Notify on the session bus: 0; 126 without libsystemd; 1062
// when there is no session bus or no notification server; another status when it refuses.
int32_t notify_desktop(const std::string& summary, const std::string& body);

} // namespace vtx::platform
