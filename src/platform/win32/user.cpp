#include "platform/user.h"

#include <cstring>
#include <windows.h>

#include <nb30.h> // needs the types of windows.h

#include "platform/status.h"
#include "platform/win32/library.h"

namespace vtx::platform {

int32_t adapter_address(uint8_t (&bytes)[6]) {
    Library netapi("NETAPI32.DLL");
    if (!netapi.loaded()) return int32_t(GetLastError());
    auto netbios = netapi.entry<UCHAR(WINAPI*)(PNCB)>("Netbios");
    if (!netbios) return int32_t(GetLastError());

    NCB block;
    std::memset(&block, 0, sizeof block);
    block.ncb_command = NCBRESET;
    block.ncb_lana_num = 0;
    if (UCHAR rc = netbios(&block)) return rc;

    unsigned char status[600] = {};
    std::memset(&block, 0, sizeof block);
    block.ncb_command = NCBASTAT;
    block.ncb_lana_num = 0;
    std::memcpy(block.ncb_callname, "*               ", NCBNAMSZ);
    block.ncb_buffer = status;
    block.ncb_length = sizeof status;
    UCHAR rc = netbios(&block);
    std::memcpy(bytes, status, 6); // zero when nothing came back
    return rc;
}

int32_t helper_get_info(std::string& buffer) {
    Library helper(kHelperLibrary);
    if (!helper.loaded()) return int32_t(GetLastError());
    auto get_info = helper.entry<LONG(WINAPI*)(char*, LONG*)>("VXGetInfo32");
    if (!get_info) return int32_t(GetLastError());
    buffer.resize(kHelperInfoSize);
    LONG unused = 0;
    return get_info(buffer.data(), &unused);
}

int32_t read_account_groups(AccountFacts&) {
    return 0; // the account path has read them
}

std::string host_dns_domain(const std::string&) {
    return {}; // the account path names the domain
}

int32_t short_path(std::string& path) {
    char buffer[256];
    DWORD n = GetShortPathNameA(path.c_str(), buffer, sizeof buffer);
    if (n == 0) return int32_t(GetLastError());
    if (n >= sizeof buffer) return status::kFilenameTooLong;
    path.assign(buffer, n);
    return 0;
}

} // namespace vtx::platform
