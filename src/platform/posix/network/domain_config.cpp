#include "platform/posix/network/domain_config.h"

#include <cstdlib>

#include "platform/domain.h"
#include "platform/files.h"

namespace vtx::platform {

namespace {

std::string_view trim(std::string_view s) {
    const char* blanks = " \t\r";
    std::size_t start = s.find_first_not_of(blanks);
    if (start == std::string_view::npos) return {};
    return s.substr(start, s.find_last_not_of(blanks) - start + 1);
}

// Configuration files are small; a missing or unreadable one reads as empty.
std::string file_text(const std::string& path) {
    std::string text;
    if (read_file(path, text, 1 << 20) != 0) text.clear();
    return text;
}

} // namespace

std::string config_value(std::string_view text, std::string_view section, std::string_view key) {
    std::string_view current;
    int depth = 0; // inside "name = { ... }", where realms list their servers
    while (!text.empty()) {
        std::size_t eol = text.find('\n');
        std::string_view line = trim(text.substr(0, eol));
        text.remove_prefix(eol == std::string_view::npos ? text.size() : eol + 1);
        if (line.empty() || line[0] == '#' || line[0] == ';') continue;
        if (line[0] == '[' && line.back() == ']') {
            current = trim(line.substr(1, line.size() - 2));
            depth = 0;
            continue;
        }
        if (line == "}") {
            depth = depth > 0 ? depth - 1 : 0;
            continue;
        }
        std::size_t eq = line.find('=');
        if (eq == std::string_view::npos) continue;
        std::string_view value = trim(line.substr(eq + 1));
        if (value == "{") {
            ++depth;
            continue;
        }
        if (depth == 0 && current == section && trim(line.substr(0, eq)) == key)
            return std::string(value);
    }
    return {};
}

std::string kerberos_default_realm() {
    // KRB5_CONFIG may list several files; the first that names a realm decides.
    const char* listed = std::getenv("KRB5_CONFIG");
    std::string_view files = listed && *listed ? listed : "/etc/krb5.conf";
    while (!files.empty()) {
        std::size_t colon = files.find(':');
        std::string path(files.substr(0, colon));
        files.remove_prefix(colon == std::string_view::npos ? files.size() : colon + 1);
        std::string realm = config_value(file_text(path), "libdefaults", "default_realm");
        if (!realm.empty()) return realm;
    }
    return {};
}

std::string sssd_domain() {
    std::string domains = config_value(file_text("/etc/sssd/sssd.conf"), "sssd", "domains");
    return std::string(trim(std::string_view(domains).substr(0, domains.find(','))));
}

} // namespace vtx::platform
