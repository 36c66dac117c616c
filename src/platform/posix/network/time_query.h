// Asking a server for the time without credentials: SNTP (UDP 123), else the system time an
// SMB2 server states in its NEGOTIATE response (TCP 445), which every Windows and Samba
// server gives.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>

namespace vtx::platform {

// The server's UTC time in whole seconds since 1970 (fractions dropped): 0, or 53 when the
// name does not resolve or neither protocol answers in time.
int32_t query_server_time(const std::string& host, std::time_t& utc);

// The seconds since 1970 in an NTP timestamp's seconds field (seconds since 1900, era 0 until
// 2036, after which the field wraps into era 1).
std::time_t unix_from_ntp_seconds(uint32_t seconds);
// The server's time from an SMB2 NEGOTIATE response (after its 4-byte session header): false
// for anything else, or one too short to hold the time.
bool smb2_negotiate_time(std::string_view reply, std::time_t& utc);

// The seconds since 1970 of a FILETIME (100-nanosecond units since 1601).
std::time_t unix_from_filetime(uint64_t filetime);

} // namespace vtx::platform
