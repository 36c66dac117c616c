#include "engine/arguments.h"
#include "engine/runtime.h"
#include "engine/script_error.h"
#include "engine/status_result.h"
#include "engine/text.h"
#include "platform/files.h"
#include "system/handlers.h"

namespace vtx {

namespace {

// Result codes of the file slot functions; anything else is a platform status.
constexpr int32_t kNoNameOrEnd = -1;
constexpr int32_t kBadSlotNumber = -2;
constexpr int32_t kSlotBusyOrFree = -3;

// Reads the whole file into the slot, once: one block the size of the file, filled in
// place, so a large file is held exactly once.
int32_t load(FileSlot& slot) {
    uint64_t size = 0;
    if (int32_t rc = platform::file_size(slot.handle, size)) return rc;
    if (size >= slot.contents.max_size()) throw ScriptError(kErrOutOfMemory);
    slot.contents.resize(std::size_t(size));
    std::size_t got = 0, n = 0;
    char* block = slot.contents.data();
    do {
        if (int32_t rc =
                platform::read_bytes(slot.handle, block + got, slot.contents.size() - got, n)) {
            std::string().swap(slot.contents);
            return rc;
        }
        got += n;
    } while (n > 0 && got < slot.contents.size());
    slot.contents.resize(got);
    slot.loaded = true;
    slot.offset = 0;
    return 0;
}

} // namespace

void fn_exist(Runtime& rt, std::string& result) {
    std::string name;
    function_arguments<FN_EXIST>(rt, name);
    result += platform::path_exists(platform::native_path(name)) ? '1' : '0';
}

void fn_open(Runtime& rt, std::string& result) {
    int32_t number = 0;
    std::string name;
    function_arguments<FN_OPEN>(rt, number, name);
    rt.error = 0;
    FileSlot* slot = rt.files.find(number);
    int32_t code = 0;
    if (name.empty()) {
        code = kNoNameOrEnd;
    } else if (!slot) {
        code = kBadSlotNumber;
    } else if (slot->is_open()) {
        code = kSlotBusyOrFree;
    } else {
        std::string native;
        code = platform::resolve_path(name, native);
        if (code == 0) code = platform::open_for_read_shared(native, slot->handle);
    }
    finish_status(rt, result, code);
}

void fn_readline(Runtime& rt, std::string& result) {
    int32_t number = 0;
    function_arguments<FN_READLINE>(rt, number);
    rt.error = 0;
    FileSlot* slot = rt.files.find(number);
    if (!slot) {
        rt.error = kBadSlotNumber;
        return;
    }
    if (!slot->is_open()) {
        rt.error = kSlotBusyOrFree;
        return;
    }
    if (!slot->loaded) {
        if (int32_t rc = load(*slot)) {
            rt.error = rc;
            return;
        }
    }
    std::string_view line;
    if (!next_line(slot->contents, slot->offset, line)) {
        rt.error = kNoNameOrEnd;
        return;
    }
    bounded_append(result, line);
}

void fn_close(Runtime& rt, std::string& result) {
    int32_t number = 0;
    function_arguments<FN_CLOSE>(rt, number);
    rt.error = 0;
    FileSlot* slot = rt.files.find(number);
    if (slot) slot->close();
    finish_status(rt, result, slot ? 0 : kBadSlotNumber);
}

void fn_redirectoutput(Runtime& rt, std::string& result) {
    std::string name;
    int32_t overwrite = 0;
    function_arguments<FN_REDIRECTOUTPUT>(rt, name, overwrite);
    rt.error = 0;
    rt.out.close_redirect();
    int32_t code = 0;
    // On failure the handle stays unset, so text goes to the console again rather than
    // being lost.
    std::string native;
    if (!name.empty() && (code = platform::resolve_path(name, native)) == 0)
        code = platform::open_for_write(native, overwrite != 0, rt.out.redirect);
    finish_status(rt, result, code);
}

} // namespace vtx
