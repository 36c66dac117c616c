#include "platform/registry.h"

#include <windows.h>

namespace vtx::platform {

namespace {

HKEY hkey(RegKey k) {
    return reinterpret_cast<HKEY>(k);
}
RegKey regkey(HKEY k) {
    return reinterpret_cast<RegKey>(k);
}

REGSAM sam(KeyAccess access) {
    switch (access) {
    case KeyAccess::read: return KEY_READ;
    case KeyAccess::write: return KEY_WRITE;
    default: return KEY_ALL_ACCESS;
    }
}

const char* text_or_null(const std::string& s) {
    return s.empty() ? nullptr : s.c_str();
}

} // namespace

// Nothing is kept open between operations on Windows.
struct Registry::State {};

Registry::Registry() = default;
Registry::~Registry() = default;

int32_t Registry::connect(const std::string& computer, RegKey root, RegKey& out) {
    HKEY h = nullptr;
    LONG rc = RegConnectRegistryA(computer.c_str(), hkey(root), &h);
    if (rc == ERROR_SUCCESS) out = regkey(h);
    return int32_t(rc);
}

int32_t Registry::open_key(RegKey parent, const std::string& subkey, KeyAccess access,
                           RegKey& out) {
    HKEY h = nullptr;
    LONG rc = RegOpenKeyExA(hkey(parent), subkey.c_str(), 0, sam(access), &h);
    if (rc == ERROR_SUCCESS) out = regkey(h);
    return int32_t(rc);
}

int32_t Registry::create_key(RegKey parent, const std::string& subkey,
                             const std::string& class_name, KeyAccess access, RegKey& out) {
    HKEY h = nullptr;
    DWORD disposition = 0;
    LONG rc = RegCreateKeyExA(hkey(parent), subkey.c_str(), 0,
                              const_cast<char*>(text_or_null(class_name)), REG_OPTION_NON_VOLATILE,
                              sam(access), nullptr, &h, &disposition);
    if (rc == ERROR_SUCCESS) out = regkey(h);
    return int32_t(rc);
}

void Registry::close_key(RegKey key) {
    if (!is_predefined_root(key)) RegCloseKey(hkey(key));
}

int32_t Registry::delete_key(RegKey parent, const std::string& subkey) {
    return int32_t(RegDeleteKeyA(hkey(parent), subkey.c_str()));
}

int32_t Registry::enum_key(RegKey key, uint32_t index, std::string& name, std::string* class_name) {
    char buf[260];
    char cls[1024];
    DWORD len = sizeof buf, cls_len = sizeof cls;
    LONG rc = RegEnumKeyExA(hkey(key), index, buf, &len, nullptr, class_name ? cls : nullptr,
                            class_name ? &cls_len : nullptr, nullptr);
    if (rc != ERROR_SUCCESS) return int32_t(rc);
    name.assign(buf, len);
    if (class_name) class_name->assign(cls, cls_len);
    return 0;
}

int32_t Registry::enum_value(RegKey key, uint32_t index, std::string& name, uint32_t* type,
                             std::string* data) {
    // Value names reach 16383 characters; data sizes come from the first call.
    std::string buf(16384, '\0');
    for (;;) {
        DWORD len = DWORD(buf.size()), t = 0, size = 0;
        LONG rc = RegEnumValueA(hkey(key), index, buf.data(), &len, nullptr, &t, nullptr,
                                data ? &size : nullptr);
        if (rc != ERROR_SUCCESS) return int32_t(rc);
        if (data) {
            data->assign(size, '\0');
            len = DWORD(buf.size());
            DWORD got = size;
            rc = RegEnumValueA(hkey(key), index, buf.data(), &len, nullptr, &t,
                               reinterpret_cast<BYTE*>(data->data()), &got);
            if (rc == ERROR_MORE_DATA) continue; // it grew in between
            if (rc != ERROR_SUCCESS) return int32_t(rc);
            data->resize(got);
        }
        name.assign(buf.data(), len);
        if (type) *type = t;
        return 0;
    }
}

int32_t Registry::query_value(RegKey key, const std::string& name, uint32_t& type,
                              std::string& data) {
    for (;;) {
        DWORD t = 0, size = 0;
        LONG rc = RegQueryValueExA(hkey(key), name.c_str(), nullptr, &t, nullptr, &size);
        if (rc != ERROR_SUCCESS) return int32_t(rc);
        data.assign(size, '\0');
        if (size != 0) {
            rc = RegQueryValueExA(hkey(key), name.c_str(), nullptr, &t,
                                  reinterpret_cast<BYTE*>(data.data()), &size);
            if (rc == ERROR_MORE_DATA) continue;
            if (rc != ERROR_SUCCESS) {
                data.clear();
                return int32_t(rc);
            }
            data.resize(size);
        }
        type = t;
        return 0;
    }
}

int32_t Registry::set_value(RegKey key, const std::string& name, uint32_t type,
                            std::string_view data) {
    return int32_t(RegSetValueExA(hkey(key), name.c_str(), 0, type,
                                  reinterpret_cast<const BYTE*>(data.data()), DWORD(data.size())));
}

int32_t Registry::delete_value(RegKey key, const std::string& name) {
    return int32_t(RegDeleteValueA(hkey(key), name.c_str()));
}

int32_t Registry::save_key(RegKey key, const std::string& file) {
    return int32_t(RegSaveKeyA(hkey(key), file.c_str(), nullptr));
}

int32_t Registry::restore_key(RegKey key, const std::string& file) {
    return int32_t(RegRestoreKeyA(hkey(key), file.c_str(), 0));
}

int32_t Registry::load_hive(RegKey root, const std::string& name, const std::string& file) {
    return int32_t(RegLoadKeyA(hkey(root), name.c_str(), file.c_str()));
}

int32_t Registry::unload_hive(RegKey root, const std::string& name) {
    return int32_t(RegUnLoadKeyA(hkey(root), name.c_str()));
}

int32_t Registry::enable_privilege(const char* name, PrivilegeGrant& grant) {
    grant = PrivilegeGrant{};
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token))
        return int32_t(GetLastError());
    grant.token = reinterpret_cast<uintptr_t>(token);
    TOKEN_PRIVILEGES request{};
    request.PrivilegeCount = 1;
    request.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (!LookupPrivilegeValueA(nullptr, name, &request.Privileges[0].Luid))
        return int32_t(GetLastError());
    grant.luid_low = request.Privileges[0].Luid.LowPart;
    grant.luid_high = request.Privileges[0].Luid.HighPart;
    // The previous state lists the privilege only when this call changed it.
    TOKEN_PRIVILEGES previous{};
    DWORD size = sizeof previous;
    if (!AdjustTokenPrivileges(token, FALSE, &request, sizeof request, &previous, &size))
        return int32_t(GetLastError());
    DWORD err = GetLastError(); // ERROR_NOT_ALL_ASSIGNED when the token lacks it
    grant.changed = previous.PrivilegeCount == 1;
    return err == ERROR_SUCCESS ? 0 : int32_t(err);
}

void Registry::withdraw_privilege(PrivilegeGrant& grant) {
    HANDLE token = reinterpret_cast<HANDLE>(grant.token);
    if (!token) return;
    if (grant.changed) {
        // Only the privilege switched on before goes off again; the token's others stay.
        TOKEN_PRIVILEGES request{};
        request.PrivilegeCount = 1;
        request.Privileges[0].Luid.LowPart = grant.luid_low;
        request.Privileges[0].Luid.HighPart = grant.luid_high;
        request.Privileges[0].Attributes = 0;
        AdjustTokenPrivileges(token, FALSE, &request, sizeof request, nullptr, nullptr);
    }
    CloseHandle(token);
    grant = PrivilegeGrant{};
}

void Registry::broadcast_environment_change() {
    SendMessageA(HWND_BROADCAST, WM_WININICHANGE, 0, reinterpret_cast<LPARAM>("Environment"));
}

} // namespace vtx::platform
