// How a Windows printer connection (`\\server\queue`) maps onto the CUPS queue that stands
// in for it, and how VTX32 recognises the queues it made.
#pragma once

#include <string>
#include <vector>

namespace vtx::platform {

struct PrinterShare {
    std::string server;
    std::string queue;
};

// `\\server\queue` (either slash): true and its two parts, both non-empty; false for any
// other form.
bool parse_printer_share(const std::string& name, PrinterShare& share);

// The device of the queue: "smb://server/queue", each part percent-encoded.
std::string share_device_uri(const PrinterShare& share);

// True when a queue printing to `device_uri` prints to the share: the same server (as drives
// compare servers: case-blind, a NetBIOS name matching the DNS name it starts) and the same
// queue, case-blind.
bool device_serves_share(const std::string& device_uri, const PrinterShare& share);

// "SERVER-QUEUE", with every byte outside letters, digits, '.', '_' and '-' made '_' (CUPS
// refuses blanks, slashes, '#', '@', quotes and more in queue names) and kept short enough
// for a suffix.
std::string queue_base_name(const PrinterShare& share);

// The first of `base`, "base-2", "base-3", ... that no queue in `taken` is called (CUPS
// compares queue names case-blind).
std::string free_queue_name(const std::string& base, const std::vector<std::string>& taken);

// The queue's description (printer-info) names the connection behind a mark; only queues
// that carry it are ever reused or removed.
std::string made_by_vtx32_info(const std::string& connection);
bool is_made_by_vtx32(const std::string& info);

// The data of the connection's Devices value, "cups,QUEUE", like the spooler's
// "winspool,PORT"; queue_of_devices_entry reads the queue back (false for other entries).
std::string devices_entry(const std::string& queue);
bool queue_of_devices_entry(const std::string& entry, std::string& queue);

} // namespace vtx::platform
