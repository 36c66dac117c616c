#include "platform/network.h"

#include "platform/status.h"

namespace vtx::platform {

int32_t add_connection(const std::string&, const std::string&, const std::string*,
                       const std::string*) {
    return status::kNotSupported;
}

int32_t cancel_connection(const std::string&) {
    return status::kNotSupported;
}

int32_t list_connections(std::vector<Connection>& out, bool& opened) {
    out.clear();
    opened = true;
    return status::kNoMoreItems;
}

} // namespace vtx::platform
