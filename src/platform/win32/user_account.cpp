// The account path of the NT line: the LAN manager calls of NETAPI32.DLL, resolved by name
// so that the program starts where the library is missing.
#include "platform/user.h"

#include <windows.h>

#include <lm.h> // needs the types of windows.h

#include "platform/win32/library.h"

namespace vtx::platform {

namespace {

using BufferFree = NET_API_STATUS(WINAPI*)(LPVOID);
using WkstaUserGetInfo = NET_API_STATUS(WINAPI*)(LPWSTR, DWORD, LPBYTE*);
using WkstaGetInfo = NET_API_STATUS(WINAPI*)(LPWSTR, DWORD, LPBYTE*);
using UserModalsGet = NET_API_STATUS(WINAPI*)(LPCWSTR, DWORD, LPBYTE*);
using UserGetInfo = NET_API_STATUS(WINAPI*)(LPCWSTR, LPCWSTR, DWORD, LPBYTE*);
using UserGetGroups = NET_API_STATUS(WINAPI*)(LPCWSTR, LPCWSTR, DWORD, LPBYTE*, DWORD, LPDWORD,
                                              LPDWORD);
using UserGetLocalGroups = NET_API_STATUS(WINAPI*)(LPCWSTR, LPCWSTR, DWORD, DWORD, LPBYTE*, DWORD,
                                                   LPDWORD, LPDWORD);

std::string narrow(LPCWSTR text) {
    if (!text || !*text) return {};
    int n = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (n <= 1) return {};
    std::string out(std::size_t(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, -1, out.data(), n, nullptr, nullptr);
    out.resize(std::size_t(n - 1));
    return out;
}

// One result buffer of a LAN manager call, released as soon as it has been copied.
class NetBuffer {
  public:
    explicit NetBuffer(BufferFree release) : release_(release) {}
    ~NetBuffer() {
        if (data_) release_(data_);
    }
    LPBYTE* out() { return &data_; }
    template <class T> const T* as() const { return reinterpret_cast<const T*>(data_); }

  private:
    BufferFree release_;
    LPBYTE data_ = nullptr;
};

// Resolves one entry by name and calls it. A missing entry is never called: its step
// fails with the loader's status.
template <class F, class... Args>
int32_t net_call(const Library& lib, const char* name, Args... args) {
    F call = lib.entry<F>(name);
    if (!call) return int32_t(GetLastError());
    return int32_t(call(args...));
}

// Group lists come in pieces of at most this many bytes; "more data" still counts as read.
constexpr DWORD kGroupBytes = 64000;
bool group_call_failed(int32_t status) {
    return status != 0 && status != ERROR_MORE_DATA;
}

} // namespace

int32_t read_account_facts(const std::string&, AccountFacts& facts) {
    Library netapi("NETAPI32.DLL");
    if (!netapi.loaded()) return int32_t(GetLastError());
    BufferFree release = netapi.entry<BufferFree>("NetApiBufferFree");
    if (!release) return int32_t(GetLastError());

    std::wstring user, server = L"\\\\";
    {
        NetBuffer info(release);
        if (int32_t st =
                net_call<WkstaUserGetInfo>(netapi, "NetWkstaUserGetInfo", nullptr, 1, info.out()))
            return st;
        const auto* w = info.as<WKSTA_USER_INFO_1>();
        facts.user_name = narrow(w->wkui1_username);
        facts.logon_domain = narrow(w->wkui1_logon_domain);
        facts.logon_server = narrow(w->wkui1_logon_server);
        if (w->wkui1_username) user = w->wkui1_username;
        if (w->wkui1_logon_server) server += w->wkui1_logon_server;
    }
    // Without a logon server ("\\" alone, which the calls reject) ask this computer.
    LPCWSTR at = server.size() > 2 ? server.c_str() : nullptr;
    {
        NetBuffer info(release);
        if (int32_t st =
                net_call<WkstaGetInfo>(netapi, "NetWkstaGetInfo", nullptr, 101, info.out()))
            return st;
        const auto* w = info.as<WKSTA_INFO_101>();
        facts.workstation = narrow(w->wki101_computername);
        facts.domain = narrow(w->wki101_langroup);
        facts.lan_root = narrow(w->wki101_lanroot);
        if (facts.lan_root.empty()) {
            char system[256];
            UINT n = GetSystemDirectoryA(system, sizeof system);
            if (n > 0 && n < sizeof system) facts.lan_root.assign(system, n);
        }
        facts.lm_major = int(w->wki101_ver_major & 0xFF);
        facts.lm_minor = int(w->wki101_ver_minor & 0xFF);
    }
    {
        NetBuffer info(release);
        if (int32_t st =
                net_call<UserGetInfo>(netapi, "NetUserGetInfo", at, user.c_str(), 11, info.out()))
            return st;
        const auto* u = info.as<USER_INFO_11>();
        facts.comment = narrow(u->usri11_comment);
        facts.full_name = narrow(u->usri11_full_name);
        facts.home_dir = narrow(u->usri11_home_dir);
        facts.privilege = int32_t(u->usri11_priv);
        facts.password_age_seconds = u->usri11_password_age;
    }
    {
        NetBuffer info(release);
        if (int32_t st = net_call<UserModalsGet>(netapi, "NetUserModalsGet", at, 0, info.out()))
            return st;
        facts.max_password_age_seconds = info.as<USER_MODALS_INFO_0>()->usrmod0_max_passwd_age;
    }
    DWORD read = 0, total = 0;
    {
        NetBuffer info(release);
        int32_t st = net_call<UserGetGroups>(netapi, "NetUserGetGroups", at, user.c_str(), 0,
                                             info.out(), kGroupBytes, &read, &total);
        if (group_call_failed(st)) return st;
        for (DWORD i = 0; i < read; ++i)
            facts.groups.push_back(narrow(info.as<GROUP_USERS_INFO_0>()[i].grui0_name));
    }
    {
        NetBuffer info(release);
        read = 0;
        int32_t st = net_call<UserGetLocalGroups>(netapi, "NetUserGetLocalGroups", at, user.c_str(),
                                                  0, 0, info.out(), kGroupBytes, &read, &total);
        if (group_call_failed(st)) return st;
        for (DWORD i = 0; i < read; ++i)
            facts.local_groups.push_back(narrow(info.as<LOCALGROUP_USERS_INFO_0>()[i].lgrui0_name));
    }
    return 0;
}

} // namespace vtx::platform
