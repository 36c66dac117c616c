// The ten numbered files of OPEN, READLINE and CLOSE.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/files.h"

namespace vtx {

struct FileSlot {
    platform::FileHandle handle = platform::kNoFile; // kNoFile: the slot is free
    bool loaded = false;                             // the whole file is in `contents`
    std::string contents;   // the file, read once; lines are handed out by offset
    std::size_t offset = 0; // where the next line starts

    bool is_open() const { return handle != platform::kNoFile; }
    // Closes the file and frees the slot.
    void close();
};

struct FileSlots {
    static constexpr int kCount = 10;
    FileSlot slots[kCount];

    FileSlots() = default;
    FileSlots(const FileSlots&) = delete;
    FileSlots& operator=(const FileSlots&) = delete;
    ~FileSlots();

    // The slot a script numbers 1 to 10, or nullptr outside that range.
    FileSlot* find(int32_t number);
};

// The next line of `contents` from `offset`, which moves past its line end. CR LF, a
// lone CR, a lone LF, a zero byte and Ctrl+Z each end one line. At the end of the contents
// returns false and leaves `line` empty.
bool next_line(const std::string& contents, std::size_t& offset, std::string_view& line);

} // namespace vtx
