// The one text writer: console, redirect file or large characters.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/files.h"

namespace vtx {

struct Writer {
    platform::FileHandle redirect = platform::kNoFile;
    bool big = false;
    int16_t width = 80; // screen size read once at start
    int16_t height = 25;

    void write_text(std::string_view text);
    void set_attribute(int attribute);
    void close_redirect();
};

} // namespace vtx
