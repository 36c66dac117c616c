// The desktop's printer-administration service on the system bus, which adds queues for
// users the scheduler itself would refuse, as its authorization policy allows.
#pragma once

#include <cstdint>
#include <string>

namespace vtx::platform {

// Asks the service to add queue `name` printing to `device_uri`, described by `info`: 0
// once it has; 5 when it refuses, is absent or does not answer within the bus's limit.
int32_t add_queue_through_service(const std::string& name, const std::string& device_uri,
                                  const std::string& info);

// Asks the service to remove queue `name`: 0 once it has; 5 as above.
int32_t delete_queue_through_service(const std::string& name);

} // namespace vtx::platform
