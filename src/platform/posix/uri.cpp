#include "platform/posix/uri.h"

namespace vtx::platform {

void append_uri_encoded(std::string& out, std::string_view text, std::string_view also_plain) {
    static const char kHex[] = "0123456789ABCDEF";
    for (unsigned char c : text) {
        bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                     c == '-' || c == '.' || c == '_' || c == '~' ||
                     also_plain.find(char(c)) != std::string_view::npos;
        if (plain) {
            out += char(c);
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 15];
        }
    }
}

std::string smb_uri(std::string_view server, std::string_view share) {
    std::string uri = "smb://";
    append_uri_encoded(uri, server);
    uri += '/';
    append_uri_encoded(uri, share);
    return uri;
}

} // namespace vtx::platform
