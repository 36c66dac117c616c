#include "platform/posix/uri.h"

#include "platform/text_rules.h"

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

namespace {

int hex_digit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

} // namespace

std::string uri_decoded(std::string_view s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        int hi = s[i] == '%' && i + 2 < s.size() ? hex_digit(s[i + 1]) : -1;
        int lo = hi >= 0 ? hex_digit(s[i + 2]) : -1;
        if (lo >= 0) {
            out.push_back(char(hi * 16 + lo));
            i += 2;
        } else {
            out.push_back(s[i]);
        }
    }
    return out;
}

bool parse_smb_uri(std::string_view uri, std::string& server, std::string& share) {
    constexpr std::string_view kScheme = "smb://";
    if (uri.size() < kScheme.size() || !equal_nocase(uri.substr(0, kScheme.size()), kScheme))
        return false;
    std::string_view rest = uri.substr(kScheme.size());
    // Credentials never hold an unencoded '/', so the last '@' before the path ends them.
    std::size_t at = rest.substr(0, rest.find('/')).rfind('@');
    if (at != std::string_view::npos) rest.remove_prefix(at + 1);
    std::string_view parts[3];
    std::size_t count = 0;
    while (!rest.empty() && count < 3) {
        std::size_t slash = rest.find('/');
        parts[count++] = rest.substr(0, slash);
        rest = slash == std::string_view::npos ? std::string_view() : rest.substr(slash + 1);
    }
    if (!rest.empty() || count < 2) return false;
    std::string_view host = parts[count - 2];
    host = host.substr(0, host.find(':'));
    server = uri_decoded(host);
    share = uri_decoded(parts[count - 1]);
    return !server.empty() && !share.empty();
}

} // namespace vtx::platform
