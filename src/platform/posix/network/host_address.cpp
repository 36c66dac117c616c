#include "platform/posix/network/host_address.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>

namespace vtx::platform {

std::string computer_name(const std::string& name) {
    std::size_t start = name.find_first_not_of('\\');
    // A name starting with '-' would reach the helper's command line as an option.
    if (start == std::string::npos || name[start] == '-') return {};
    return name.substr(start);
}

std::string ipv4_address_of(const std::string& host) {
    addrinfo hints{};
    // The messenger is reached over NetBIOS sessions, which have no IPv6.
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (::getaddrinfo(host.c_str(), nullptr, &hints, &found) != 0) return {};
    char text[INET_ADDRSTRLEN] = "";
    ::inet_ntop(AF_INET, &reinterpret_cast<sockaddr_in*>(found->ai_addr)->sin_addr, text,
                sizeof text);
    ::freeaddrinfo(found);
    return text;
}

} // namespace vtx::platform
