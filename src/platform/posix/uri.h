// URIs the POSIX build hands to GVfs, CUPS and the desktop.
#pragma once

#include <string>
#include <string_view>

namespace vtx::platform {

// Percent-encoding: letters, digits, "-._~" and the characters of `also_plain` stay as they
// are; every other byte becomes %XX.
void append_uri_encoded(std::string& out, std::string_view text, std::string_view also_plain = "");

// smb://server/share, both parts encoded: what GVfs mounts and a CUPS queue prints to.
std::string smb_uri(std::string_view server, std::string_view share);

} // namespace vtx::platform
