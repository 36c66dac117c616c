#include "platform/directory.h"

#include "platform/status.h"

namespace vtx::platform {

// The system's own logon reads these facts; the program asks NETAPI32 instead.
int32_t read_directory_facts(const std::string&, const std::string&, const std::string&,
                             DirectoryFacts&) {
    return status::kNotSupported;
}

bool kerberos_ticket_held() {
    return false;
}

} // namespace vtx::platform
