#include "platform/network.h"

#include <memory>

#include <windows.h>
#include <winnetwk.h>

namespace vtx::platform {

namespace {

// The provider's code: the calls set the thread's last error, their return value backs it.
int32_t provider_status(DWORD returned) {
    DWORD last = GetLastError();
    return int32_t(last != 0 ? last : returned);
}

} // namespace

int32_t add_connection(const std::string& device, const std::string& remote,
                       const std::string* user, const std::string* password) {
    NETRESOURCEA resource{};
    resource.dwType = RESOURCETYPE_ANY;
    resource.lpLocalName = const_cast<char*>(device.c_str());
    resource.lpRemoteName = const_cast<char*>(remote.c_str());
    DWORD r = WNetAddConnection2A(&resource, password ? password->c_str() : nullptr,
                                  user ? user->c_str() : nullptr, 0);
    return r == NO_ERROR ? 0 : provider_status(r);
}

int32_t cancel_connection(const std::string& device) {
    DWORD r = WNetCancelConnection2A(device.c_str(), 0, TRUE);
    return r == NO_ERROR ? 0 : provider_status(r);
}

int32_t list_connections(std::vector<Connection>& out, bool& opened) {
    out.clear();
    HANDLE list = nullptr;
    DWORD r = WNetOpenEnumA(RESOURCE_CONNECTED, RESOURCETYPE_ANY, 0, nullptr, &list);
    opened = r == NO_ERROR;
    if (!opened) return provider_status(r);
    // One call into a buffer of the size the listing always had; what does not fit is left.
    const DWORD kBufferSize = 32000;
    std::unique_ptr<char[]> buffer(new char[kBufferSize]());
    DWORD count = DWORD(-1);
    DWORD size = kBufferSize;
    r = WNetEnumResourceA(list, &count, buffer.get(), &size);
    int32_t result = 0;
    if (r == NO_ERROR) {
        const NETRESOURCEA* entries = reinterpret_cast<const NETRESOURCEA*>(buffer.get());
        for (DWORD i = 0; i < count; ++i)
            out.push_back({entries[i].lpLocalName ? entries[i].lpLocalName : "",
                           entries[i].lpRemoteName ? entries[i].lpRemoteName : ""});
    } else {
        result = r == ERROR_NO_MORE_ITEMS ? int32_t(ERROR_NO_MORE_ITEMS) : provider_status(r);
    }
    WNetCloseEnum(list);
    return result;
}

bool logon_share_mounted(const std::string&) {
    return false;
}

} // namespace vtx::platform
