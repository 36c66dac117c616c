#include "platform/profile.h"

#include <windows.h>

namespace vtx::platform {

int32_t profile_read(const std::string& file, const std::string& section, const std::string& key,
                     std::size_t capacity, std::string& out) {
    out.assign(capacity, '\0');
    DWORD n = GetPrivateProfileStringA(section.empty() ? nullptr : section.c_str(),
                                       key.empty() ? nullptr : key.c_str(), "", out.data(),
                                       DWORD(capacity), file.c_str());
    out.resize(n);
    return 0;
}

int32_t profile_write(const std::string& file, const std::string& section, const std::string& key,
                      const std::string* value) {
    if (WritePrivateProfileStringA(section.c_str(), key.c_str(), value ? value->c_str() : nullptr,
                                   file.c_str()))
        return 0;
    return int32_t(GetLastError());
}

} // namespace vtx::platform
