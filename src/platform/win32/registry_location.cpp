#include "platform/registry_location.h"

namespace vtx::platform {

void registry_folders(std::string& user_folder, std::string& machine_folder) {
    user_folder.clear();
    machine_folder.clear();
}

} // namespace vtx::platform
