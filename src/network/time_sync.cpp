#include "network/time_sync.h"

#include <algorithm>

#include "platform/system.h"

namespace vtx {

namespace {

int32_t set_time_nt(std::string_view text) {
    std::string server = "\\\\";
    if (text == "*") {
        std::string found;
        // With no time source listed the call below still asks "\\" alone.
        if (int32_t st = platform::lanman_find_time_source(found)) return st;
        server += found;
    } else if (!time_server_name(text, server)) {
        return kInvalidComputerName;
    }
    platform::ClockTime utc{};
    if (int32_t st = platform::lanman_remote_time(server, utc)) return st;
    return platform::set_clock_utc(utc);
}

int32_t set_time_9x(std::string_view text) {
    platform::HelperTimeBuffer buffer{};
    // The buffer keeps its terminating zero; the library would read past a longer text.
    if (text.size() >= buffer.size()) return kInvalidComputerName;
    std::copy(text.begin(), text.end(), buffer.begin());
    if (int32_t st = platform::helper_remote_time(buffer)) return st;
    return platform::set_clock_local(helper_time_record(buffer));
}

} // namespace

bool time_server_name(std::string_view text, std::string& server) {
    std::string_view name = text.substr(0, 2) == "\\\\" ? text.substr(2) : text;
    if (name.size() > kMaxTimeServerName) return false;
    server = "\\\\";
    server += name;
    return true;
}

platform::ClockTime helper_time_record(const platform::HelperTimeBuffer& b) {
    platform::ClockTime t{};
    t.hour = b[8];
    t.minute = b[9];
    t.second = b[10];
    t.day = b[16];
    t.month = b[17];
    t.year = b[18] | (b[19] << 8);
    return t;
}

int32_t set_time_from_server(const OsVersion& os, std::string_view text) {
    return os.is_nt() ? set_time_nt(text) : set_time_9x(text);
}

} // namespace vtx
