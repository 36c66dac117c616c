// Host name and addresses through the sockets library, loaded for the lookup only, so the
// program runs on machines without a network protocol stack.
#include "platform/user.h"

#include <cstring>
#include <windows.h>
#include <winsock.h>

#include "platform/status.h"
#include "platform/win32/library.h"

namespace vtx::platform {

int32_t host_addresses(std::string& host, std::vector<std::array<uint8_t, 4>>& addresses) {
    Library sockets("WSOCK32.DLL");
    if (!sockets.loaded()) return int32_t(GetLastError());
    auto startup = sockets.entry<int(WINAPI*)(WORD, LPWSADATA)>("WSAStartup");
    auto get_host_name = sockets.entry<int(WINAPI*)(char*, int)>("gethostname");
    auto get_host_by_name = sockets.entry<hostent*(WINAPI*)(const char*)>("gethostbyname");
    auto cleanup = sockets.entry<int(WINAPI*)()>("WSACleanup");
    auto last_error = sockets.entry<int(WINAPI*)()>("WSAGetLastError");
    if (!startup || !get_host_name || !get_host_by_name || !cleanup) return int32_t(GetLastError());

    WSADATA data;
    if (int st = startup(0x0101, &data)) return st;
    // Without WSAGetLastError a failure still has to be told apart from success.
    auto failure = [&] { return last_error ? int32_t(last_error()) : status::kHostNotFound; };
    int32_t result = 0;
    char name[257] = {};
    if (get_host_name(name, 256) == -1) {
        result = failure();
    } else {
        host = name;
        if (const hostent* h = get_host_by_name(name)) {
            if (h->h_name) host = h->h_name;
            for (int i = 0; h->h_addr_list && h->h_addr_list[i]; ++i) {
                std::array<uint8_t, 4> bytes;
                std::memcpy(bytes.data(), h->h_addr_list[i], 4);
                addresses.push_back(bytes);
            }
        } else {
            result = failure();
        }
    }
    cleanup();
    return result;
}

} // namespace vtx::platform
