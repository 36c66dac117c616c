#include "platform/messaging.h"

#include "platform/status.h"

namespace vtx::platform {

// No messenger service, LAN manager or helper library; the clock is not the script's to set.

int32_t lanman_send_message(const std::string&, const std::string&) {
    return status::kNotSupported;
}

int32_t helper_send_message(const std::string&, const std::string&) {
    return status::kNotSupported;
}

} // namespace vtx::platform
