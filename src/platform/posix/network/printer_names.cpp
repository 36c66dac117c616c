#include "platform/posix/network/printer_names.h"

#include <algorithm>
#include <cstring>

#include "platform/posix/system/drive_table.h"
#include "platform/posix/uri.h"
#include "platform/text_rules.h"

namespace vtx::platform {

namespace {

constexpr const char* kMark = "VTX32: ";
constexpr const char* kEntryDriver = "cups,";
// CUPS allows 127 bytes; leave room for "-NNN".
constexpr std::size_t kMaxBaseName = 120;

bool is_slash(char c) {
    return c == '\\' || c == '/';
}

bool is_plain(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
           c == '_' || c == '-';
}

} // namespace

bool parse_printer_share(const std::string& name, PrinterShare& share) {
    if (name.size() < 2 || !is_slash(name[0]) || !is_slash(name[1])) return false;
    auto sep = std::find_if(name.begin() + 2, name.end(), is_slash);
    if (sep == name.end()) return false;
    std::string server(name.begin() + 2, sep), queue(sep + 1, name.end());
    if (server.empty() || queue.empty() || std::any_of(queue.begin(), queue.end(), is_slash))
        return false;
    share = {std::move(server), std::move(queue)};
    return true;
}

std::string share_device_uri(const PrinterShare& share) {
    return smb_uri(share.server, share.queue);
}

bool device_serves_share(const std::string& device_uri, const PrinterShare& share) {
    std::string server, queue;
    return parse_smb_uri(device_uri, server, queue) && same_server(server, share.server) &&
           equal_nocase(queue, share.queue);
}

std::string queue_base_name(const PrinterShare& share) {
    std::string name = share.server + "-" + share.queue;
    for (char& c : name)
        if (!is_plain(static_cast<unsigned char>(c))) c = '_';
    if (name.size() > kMaxBaseName) name.resize(kMaxBaseName);
    return name;
}

std::string free_queue_name(const std::string& base, const std::vector<std::string>& taken) {
    auto is_taken = [&](const std::string& name) {
        return std::any_of(taken.begin(), taken.end(),
                           // The scheduler treats queue names that differ only in case as one.
                           [&](const std::string& t) { return equal_nocase(t, name); });
    };
    std::string name = base;
    for (int32_t n = 2; is_taken(name); ++n) name = base + "-" + format_int(n);
    return name;
}

std::string made_by_vtx32_info(const std::string& connection) {
    return kMark + connection;
}

bool is_made_by_vtx32(const std::string& info) {
    return info.starts_with(kMark);
}

std::string devices_entry(const std::string& queue) {
    return kEntryDriver + queue;
}

bool queue_of_devices_entry(const std::string& entry, std::string& queue) {
    if (!starts_nocase(entry, kEntryDriver) || entry.size() == std::strlen(kEntryDriver))
        return false;
    queue = entry.substr(std::strlen(kEntryDriver));
    return true;
}

} // namespace vtx::platform
