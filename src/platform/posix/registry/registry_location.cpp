#include "platform/registry_location.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

#include "platform/posix/registry/key_store.h"

namespace vtx::platform {

void registry_folders(std::string& user_folder, std::string& machine_folder) {
    const char* env = std::getenv("VTX32_REGISTRY");
    if (env && *env) {
        user_folder = machine_folder = env;
        return;
    }
    // Without HOME the password database knows the home folder, never "/".
    struct passwd* pw = ::getpwuid(::geteuid());
    user_folder = store::user_folder(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"),
                                     pw && pw->pw_dir ? pw->pw_dir : "");
    machine_folder = "/var/lib/vtx32/registry";
}

} // namespace vtx::platform
