// Where the registry lives, for the program's --version and the manual.
#pragma once

#include <string>

namespace vtx::platform {

// The folders of the POSIX store: the current user's root and the machine roots
// (VTX32_REGISTRY for both when set). Windows: both empty (the system's registry).
void registry_folders(std::string& user_folder, std::string& machine_folder);

} // namespace vtx::platform
