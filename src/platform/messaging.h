// Network messages and the server clock: the NT line's LAN manager calls and the 9x line's
// helper library, both loaded for each use so the program starts where they are missing.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace vtx::platform {

// Sends `message` to `recipient` through the LAN manager: 0, its status, or the loader's
// status (126 missing library, 127 missing entry). POSIX: the user's own name, a desktop
// notification; a user logged on here, their terminals (5 when every one refuses); else a
// computer's messenger service through smbclient; 2273 when none of these takes it.
int32_t lanman_send_message(const std::string& recipient, const std::string& message);
// The same through the helper library; the caller upper-cases the recipient. POSIX: 50.
int32_t helper_send_message(const std::string& recipient, const std::string& message);

struct ClockTime {
    int year, month, day, hour, minute, second;
};

// The name of the first time source server of this workstation's domain, with 0 or 234
// (more data); empty when none answered. Otherwise the failure status. POSIX: the logon
// server found at start-up (`logon_server`, empty when none), always 0.
int32_t lanman_find_time_source(const std::string& logon_server, std::string& name);
// The clock of `server` (`\\name`) in UTC: 0, or a status. POSIX: asked over SNTP, else from
// an SMB2 negotiation; 53 when the name does not resolve or neither answers.
int32_t lanman_remote_time(const std::string& server, ClockTime& utc);
// The helper library's time call on its 256-byte buffer: the server text on entry, the time
// record on success. 0, its own status, or the loader's. POSIX: 50.
using HelperTimeBuffer = std::array<unsigned char, 256>;
int32_t helper_remote_time(HelperTimeBuffer& buffer);

// Sets this computer's clock, milliseconds 0: 0 or a status. POSIX: through timedated when it
// runs, else clock_settime; 1314 without the right to set it. A clock kept by an automatic
// source (timedated's NTP, or a kernel clock an NTP daemon disciplines) is not set: 0 when
// it is within 2 seconds of `t`, else 1314.
int32_t set_clock_utc(const ClockTime& t);
int32_t set_clock_local(const ClockTime& t);

} // namespace vtx::platform
