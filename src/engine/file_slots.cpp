#include "engine/file_slots.h"

namespace vtx {

void FileSlot::close() {
    platform::close_file(handle);
    handle = platform::kNoFile;
    loaded = false;
    std::string().swap(contents); // give the memory back, not just the length
    offset = 0;
}

FileSlots::~FileSlots() {
    for (FileSlot& s : slots) s.close();
}

FileSlot* FileSlots::find(int32_t number) {
    return number >= 1 && number <= kCount ? &slots[number - 1] : nullptr;
}

bool next_line(const std::string& contents, std::size_t& offset, std::string_view& line) {
    line = {};
    std::size_t size = contents.size();
    if (offset >= size) return false;
    const char* p = contents.data();
    std::size_t end = offset;
    while (end < size) {
        char c = p[end];
        // Ctrl+Z and NUL end a line too: files from old editors end with them.
        if (c == '\r' || c == '\n' || c == '\0' || c == 26) break;
        ++end;
    }
    line = std::string_view(p + offset, end - offset);
    // CR LF counts once; a lone CR or LF is a line end of its own.
    if (end < size && p[end] == '\r' && end + 1 < size && p[end + 1] == '\n') ++end;
    offset = end < size ? end + 1 : end;
    return true;
}

} // namespace vtx
