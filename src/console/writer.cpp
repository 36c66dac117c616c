#include "console/writer.h"

#include "platform/console.h"

namespace vtx {

void Writer::write_text(std::string_view text) {
    if (redirect != platform::kNoFile) {
        platform::write_file(redirect, text);
    } else {
        platform::console_write(text);
    }
}

void Writer::set_attribute(int attribute) { platform::console_set_attribute(uint16_t(attribute)); }

void Writer::close_redirect() {
    if (redirect != platform::kNoFile) {
        platform::close_file(redirect);
        redirect = platform::kNoFile;
    }
}

} // namespace vtx
