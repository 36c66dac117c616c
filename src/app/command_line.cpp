#include "app/command_line.h"

#include "platform/diagnostics.h"

namespace vtx {

bool is_help_switch(const std::string& arg) {
    if (platform::kPosixConventions) {
        if (arg == "--help" || arg == "-h") return true;
        if (arg.find('/', 1) != std::string::npos) return false;
    }
    return arg.rfind("/h", 0) == 0 || arg.rfind("/?", 0) == 0;
}

std::string script_file_name(const std::string& arg) {
    std::size_t slash = arg.find_last_of(platform::kPosixConventions ? "\\/" : "\\");
    std::size_t last = slash == std::string::npos ? 0 : slash + 1;
    if (arg.find('.', last) == std::string::npos) return arg + ".SCR";
    return arg;
}

} // namespace vtx
