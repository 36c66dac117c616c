#include "platform/registry_location.h"

#include <cstdlib>

namespace vtx::platform {

void registry_folders(std::string& user_folder, std::string& machine_folder) {
    const char* env = std::getenv("VTX32_REGISTRY");
    if (env && *env) {
        user_folder = machine_folder = env;
        return;
    }
    const char* xdg = std::getenv("XDG_DATA_HOME");
    const char* home = std::getenv("HOME");
    user_folder = xdg && *xdg ? std::string(xdg) : std::string(home ? home : "") + "/.local/share";
    user_folder += "/vtx32/registry";
    machine_folder = "/var/lib/vtx32/registry";
}

} // namespace vtx::platform
