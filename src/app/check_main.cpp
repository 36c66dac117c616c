// The checker's entry: vtx32-check (VTXCHECK.EXE) SCRIPT... reports on standard error and
// runs nothing.
#include <cstdlib>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "checker/checker.h"
#include "platform/diagnostics.h"

// An exception nothing catches ends the checker as abort() does. The C++ runtime's own
// handler would first print the exception's type, and links a name demangler of some 40 KB
// to do it: a tenth of the checker on Windows.
namespace __gnu_cxx {
void __verbose_terminate_handler() {
    std::abort();
}
} // namespace __gnu_cxx

namespace {

constexpr const char* kCheckUsage =
    "usage: vtx32-check [--define NAME]... [$name=value]... SCRIPT...\n"
    "Reads each script and the scripts it CALLs by name, runs nothing, and reports\n"
    "FILE:LINE:COLUMN: error|warning: text on standard error. --define NAME and\n"
    "$name=value name variables the command line will give.\n"
    "Exit status: 0 clean, 1 errors, 2 warnings only, 3 no script named.\n";

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> names, defined;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--define" && i + 1 < argc) {
            defined.push_back(argv[++i]);
            continue;
        }
        if (!arg.empty() && arg[0] == '$') {
            defined.push_back(arg);
            continue;
        }
        if (vtx::is_help_switch(arg)) {
            vtx::platform::error_write(kCheckUsage);
            return 0;
        }
        names.push_back(vtx::script_file_name(arg));
    }
    if (names.empty()) {
        vtx::platform::error_write(kCheckUsage);
        return 3;
    }
    vtx::Findings findings = vtx::check_scripts(names, defined);
    // A finding quotes the script, which must not steer the terminal it is read on.
    for (const vtx::Finding& f : findings)
        vtx::platform::error_write(
            vtx::visible_controls(vtx::format_finding(f), vtx::platform::terminal_high_bytes()));
    return vtx::findings_status(findings);
}
