// Setting this computer's clock from a server's.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/messaging.h"

namespace vtx {

struct OsVersion;

// The longest server name after the two backslashes; a longer one is refused with 1210
// (invalid computer name) rather than cut into another server's name.
inline constexpr std::size_t kMaxTimeServerName = 27;
inline constexpr int32_t kInvalidComputerName = 1210;

// `\\name` for `name` or `\\name`; false when the name is too long.
bool time_server_name(std::string_view text, std::string& server);

// The helper library's time record: the 16-bit LAN manager time-of-day layout, local time.
platform::ClockTime helper_time_record(const platform::HelperTimeBuffer& buffer);

// Sets the clock from `text`: "*" (the domain's first time source), `\\name` or `name`.
// The 9x line hands the text to the helper library as it is. 0 or a status. `logon_server`
// (`\\name`, empty when none) is where a platform without a time-source search takes the
// domain's time from.
int32_t set_time_from_server(const OsVersion& os, const std::string& logon_server,
                             std::string_view text);

} // namespace vtx
