// Reading a DNS answer for SRV records.
#pragma once

#include <cstddef>
#include <string>

namespace vtx::platform {

// The target of the SRV record a client tries first (lowest priority, then highest weight,
// then the first in the answer). False when the message holds no usable SRV record; a
// message cut short or malformed is read no further than its `length` bytes.
bool first_srv_target(const unsigned char* message, std::size_t length, std::string& target);

} // namespace vtx::platform
