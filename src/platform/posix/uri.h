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

// Percent-decoding: every valid %XX becomes its byte; anything else stays as it is.
std::string uri_decoded(std::string_view text);

// The server and share of an SMB device or mount URI, decoded: "smb://server/share", also
// with user information ("user:pw@"), a port, or a workgroup before the server
// ("smb://WORKGROUP/server/share"). False for any other URI.
bool parse_smb_uri(std::string_view uri, std::string& server, std::string& share);

} // namespace vtx::platform
