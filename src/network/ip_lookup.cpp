#include "network/ip_lookup.h"

#include "engine/runtime.h"
#include "network/user_rules.h"
#include "platform/user.h"

namespace vtx {

void lookup_ip_addresses(Runtime& rt) {
    UserInfo& user = rt.user;
    user.ip_lookup_done = 1; // first, so that a failed lookup is never repeated
    std::string host;
    std::vector<std::array<uint8_t, 4>> addresses;
    platform::host_addresses(host, addresses); // failures are silent: what came back stays
    store_field(user.host_name, host, width::kHostName);
    for (std::size_t i = 0; i < 4 && i < addresses.size(); ++i)
        user.ip_address[i] = ip_address_text(addresses[i]);
}

} // namespace vtx
