#include "engine/arguments.h"
#include "engine/runtime.h"
#include "engine/status_result.h"
#include "engine/text.h"
#include "platform/files.h"
#include "platform/profile.h"
#include "platform/status.h"
#include "system/handlers.h"

namespace vtx {

namespace {

// The size of the buffer the platform fills: a text buffer of the language.
constexpr std::size_t kProfileBuffer = kMaxText + 1;

bool has_line_break(std::string_view s) {
    return s.find_first_of("\r\n") != s.npos;
}

// A name the file could not give back: empty, or holding a line break that would write
// lines of its own (a section or key the script never named).
bool unusable_name(std::string_view s) {
    return s.empty() || has_line_break(s);
}

} // namespace

void fn_readprofilestring(Runtime& rt, std::string& result) {
    std::string file, section, key;
    function_arguments<FN_READPROFILESTRING>(rt, file, section, key);
    rt.error = 0;
    std::string raw;
    platform::profile_read(platform::native_path(file), section, key, kProfileBuffer, raw);
    if (!section.empty() && !key.empty()) return bounded_append(result, raw);
    // A list of names, each ended by a zero byte (the last one may be cut short).
    for (std::size_t at = 0; at < raw.size();) {
        std::size_t zero = raw.find('\0', at);
        if (zero == std::string::npos) zero = raw.size();
        bounded_append(result, std::string_view(raw).substr(at, zero - at));
        bounded_append(result, "\n");
        at = zero + 1;
    }
}

void fn_writeprofilestring(Runtime& rt, std::string& result) {
    std::string file, section, key, value;
    function_arguments<FN_WRITEPROFILESTRING>(rt, file, section, key, value);
    rt.error = 0;
    int32_t code = 0;
    // Writing needs a key name; deleting with none is the platform's to answer (the file
    // stays as it is).
    bool deleting = value.empty();
    if (unusable_name(section) || (!deleting && key.empty()) || has_line_break(key) ||
        has_line_break(value)) {
        code = status::kInvalidParameter;
    } else {
        std::string native;
        code = platform::resolve_path(file, native);
        if (code == 0)
            code = platform::profile_write(native, section, key, value.empty() ? nullptr : &value);
    }
    finish_status(rt, result, code);
}

} // namespace vtx
