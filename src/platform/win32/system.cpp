#include "platform/system.h"

#include <cstring>
#include <windows.h>

namespace vtx::platform {

LocalTime local_time() {
    SYSTEMTIME t;
    GetLocalTime(&t);
    return {t.wYear, t.wMonth, t.wDay, t.wDayOfWeek, t.wHour, t.wMinute, t.wSecond};
}

void memory_initialise() {}

OsVersion os_version() {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info; // 148
    OsVersion v;
    if (GetVersionExA(&info)) {
        v.major = info.dwMajorVersion;
        v.minor = info.dwMinorVersion;
        v.build = info.dwBuildNumber;
        v.platform_id = info.dwPlatformId;
    }
    return v;
}

std::string logon_user_name() {
    char name[512];
    DWORD size = sizeof name;
    if (WNetGetUserA(nullptr, name, &size) == NO_ERROR) return name;
    return {};
}

bool get_environment(const std::string& name, std::string& value) {
    std::string buf(32000, '\0');
    DWORD n = GetEnvironmentVariableA(name.c_str(), buf.data(), DWORD(buf.size()));
    if (n == 0 && GetLastError() == ERROR_ENVVAR_NOT_FOUND) return false;
    if (n >= buf.size()) n = 0; // longer than the buffer: treated as unreadable
    buf.resize(n);
    value.swap(buf);
    return true;
}

int32_t set_environment(const std::string& name, const std::string& value) {
    return SetEnvironmentVariableA(name.c_str(), value.c_str()) ? 0 : int32_t(GetLastError());
}

std::vector<std::string_view> environment_entries() {
    // The entries point into this block, which stays valid until the next call replaces it.
    static LPCH block = nullptr;
    if (block) FreeEnvironmentStringsA(block);
    block = GetEnvironmentStringsA();
    std::vector<std::string_view> entries;
    for (const char* p = block; p && *p; p += std::strlen(p) + 1) entries.emplace_back(p);
    return entries;
}

} // namespace vtx::platform
