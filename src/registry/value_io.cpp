#include "registry/key_path.h"
#include "registry/operations.h"
#include "registry/value_text.h"

namespace vtx {

using platform::KeyAccess;
using platform::RegKey;

int32_t read_value(platform::Registry& reg, std::string_view path, const std::string& name,
                   std::string& text, uint32_t& type) {
    text.clear();
    type = 0;
    return with_open_key(reg, path, KeyAccess::read, [&](RegKey key) {
        uint32_t found = 0;
        std::string data;
        int32_t status = reg.query_value(key, name, found, data);
        if (status == 0) {
            type = found;
            text = value_to_text(found, data);
        }
        return status;
    });
}

int32_t write_value(platform::Registry& reg, std::string_view path, const std::string& name,
                    std::string_view text, uint32_t type) {
    return with_open_key(reg, path, KeyAccess::write, [&](RegKey key) {
        std::string data;
        if (!text_to_value(type, text, data)) return 1;
        return reg.set_value(key, name, type, data);
    });
}

int32_t delete_value(platform::Registry& reg, std::string_view path, const std::string& name) {
    return with_open_key(reg, path, KeyAccess::write,
                         [&](RegKey key) { return reg.delete_value(key, name); });
}

} // namespace vtx
