#include "platform/text_encoding.h"

#include <windows.h>

namespace vtx::platform {

std::string from_utf16(std::u16string_view units) {
    if (units.empty()) return {};
    auto wide = reinterpret_cast<const wchar_t*>(units.data());
    int size =
        WideCharToMultiByte(CP_ACP, 0, wide, int(units.size()), nullptr, 0, nullptr, nullptr);
    std::string out(size > 0 ? std::size_t(size) : 0, '\0');
    if (size > 0)
        WideCharToMultiByte(CP_ACP, 0, wide, int(units.size()), out.data(), size, nullptr, nullptr);
    return out;
}

} // namespace vtx::platform
