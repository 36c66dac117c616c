// libFuzzer target: the INI reader and writer. The input is a file's text, then a section, a
// key and a value, separated by zero bytes (no value: a delete). The text is read every way,
// the value written through the real file writer, and the file must then hold exactly what
// the text functions make of it; for names a script could write back, the value reads back,
// and writing it a second time changes nothing.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

#include "platform/posix/system/ini_text.h"
#include "platform/profile.h"

namespace {

namespace fs = std::filesystem;

fs::path& folder() {
    static fs::path f;
    return f;
}

bool blank_at_an_end(std::string_view s) {
    return !s.empty() &&
           (s.front() == ' ' || s.front() == '\t' || s.back() == ' ' || s.back() == '\t');
}

// Names and a value that read back as written: no line breaks, no blanks at the ends, nothing
// that makes the line a comment, a header or a quoted value.
bool round_trips(std::string_view section, std::string_view key, std::string_view value) {
    if (section.empty() || key.empty()) return false;
    for (std::string_view s : {section, key, value})
        if (s.find_first_of("\r\n") != s.npos || blank_at_an_end(s)) return false;
    if (section.find(']') != section.npos || key.find('=') != key.npos) return false;
    if (key.front() == ';' || key.front() == '[') return false;
    return !(value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
             value.back() == value.front());
}

std::string contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    char pattern[] = "/tmp/vtx32-fuzz-ini-XXXXXX";
    if (!mkdtemp(pattern)) std::abort();
    folder() = pattern;
    std::atexit([] { fs::remove_all(folder()); });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    std::string_view part[4];
    int parts = 0;
    for (; parts < 4; ++parts) {
        std::size_t zero = input.find('\0');
        part[parts] = input.substr(0, zero);
        if (zero == input.npos) {
            ++parts;
            break;
        }
        input.remove_prefix(zero + 1);
    }
    if (parts < 3) return 0;
    std::string text(part[0]), section(part[1]), key(part[2]), value(part[3]);
    const std::string* written = parts == 4 ? &value : nullptr;

    vtx::ini::section_names(text);
    vtx::ini::key_names(text, section);
    std::string before = vtx::ini::read_value(text, section, key);
    std::string expected = vtx::ini::write_value(text, section, key, written);

    fs::path file = folder() / "fuzz.ini";
    {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out << text;
    }
    int32_t status = vtx::platform::profile_write(file.string(), section, key, written);
    if (status != 0 || contents(file) != expected) std::abort();
    std::string read;
    vtx::platform::profile_read(file.string(), section, key, 1u << 20, read);
    bool listing = section.empty() || key.empty();
    if (!listing && read != vtx::ini::read_value(expected, section, key)) std::abort();

    if (written && round_trips(section, key, value) &&
        (read != value || vtx::ini::write_value(expected, section, key, written) != expected))
        std::abort();
    if (!written && before.empty() && vtx::ini::key_names(text, section).empty() &&
        expected != text)
        std::abort();
    return 0;
}
