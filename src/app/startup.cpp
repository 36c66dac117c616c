#include "app/startup.h"

#ifndef _WIN32
#include "app/posix/logon_run.h"
#endif

#include "engine/interpreter.h"
#include "engine/runtime.h"
#include "engine/script_error.h"
#include "engine/text.h"
#include "engine/trace.h"
#include "network/user_gather.h"
#include "platform/diagnostics.h"
#include "platform/registry_location.h"
#include "platform/system.h"
#include "platform/user.h"

namespace vtx {

std::string program_directory(const std::string& path, bool slash_too) {
    std::size_t cut = slash_too ? path.find_last_of("\\/") : path.rfind('\\');
    if (cut == std::string::npos || cut + 1 > 255) return {};
    return path.substr(0, cut + 1);
}

bool is_logon_share_path(const std::string& path) {
    if (path.size() <= 2 || path[0] != '\\' || path[1] != '\\') return false;
    std::size_t slash = path.find('\\', 2);
    return slash != std::string::npos &&
           equal_nocase(std::string_view(path).substr(slash, 9), "\\NETLOGON");
}

void define_command_line_variable(Runtime& rt, const std::string& arg) {
    std::size_t eq = arg.find('=');
    if (eq == std::string::npos) {
        rt.vars.create(arg, KIND_STRING);
        return;
    }
    std::string name = arg.substr(0, eq), value = arg.substr(eq + 1);
    bool integer = value.find_first_not_of("0123456789- ") == std::string::npos;
    Variable& v = rt.vars.create(name, integer ? KIND_INTEGER : KIND_STRING);
    if (integer) {
        v.number = text_to_int(value);
    } else {
        if (value.size() > kMaxText) throw ScriptError(kErrTooLong);
        v.text = value;
    }
}

int run_program(Runtime& rt, const std::vector<std::string>& args) {
    platform::memory_initialise();
    rt.out.break_off();
    rt.out.start();
    // A POSIX program path is written with slashes.
    rt.program_dir = program_directory(args.empty() ? "" : args[0], platform::kPosixConventions);
    std::string path;
    if (platform::get_environment("PATH", path)) rt.logon_share = is_logon_share_path(path);

    rt.trace = trace_requested();
    bool logon = false;
    for (std::size_t i = 1; i < args.size(); ++i)
        logon = logon || (platform::kPosixConventions && args[i] == "--logon");
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (is_help_switch(arg)) {
            rt.out.write_text(kUsage);
            rt.out.break_on();
            return 0;
        }
        if (platform::kPosixConventions && arg == "--version") {
            rt.out.write_text(version_text());
            rt.out.break_on();
            return 0;
        }
        if (!logon && !arg.empty() && arg[0] == '$') define_command_line_variable(rt, arg);
    }
#ifndef _WIN32
    if (logon) return run_logon(rt, args);
#endif

    rt.os = platform::os_version();
    // What costs start-up its time waits for the script that uses it.
    rt.user_result =
        gather_user_information(rt, platform::kAccountFactsOnFirstUse ? kFactsOnFirstUse : 0);
    rt.traced_error = rt.error;

    if (args.size() > 1) {
        for (std::size_t i = 1; i < args.size(); ++i) {
            if (!args[i].empty() && args[i][0] == '$') continue;
            if (run_script(rt, script_file_name(args[i])) != 0) throw ScriptError(kErrNoScript);
        }
    } else {
        bool ran = rt.user_result == 0 && !rt.user.user_id.empty() &&
                   run_script(rt, rt.user.user_id + ".SCR") == 0;
        if (!ran && run_script(rt, "VALTRIX.SCR") != 0) throw ScriptError(kErrNoScript);
    }

    rt.out.close_redirect();
    rt.out.break_on();
    return process_status(rt.exit_code);
}

int process_status(int32_t exit_code) {
    // The low byte alone would turn EXIT 256 into success.
    if (platform::kPosixConventions && (exit_code < 0 || exit_code > 255)) return 255;
    return exit_code;
}

std::string version_text() {
    std::string user, machine;
    platform::registry_folders(user, machine);
    std::string text = "vtx32 " VTX32_VERSION_TEXT "\n";
    text += "registry: HKEY_CURRENT_USER in " + user + "\n";
    text += "registry: HKEY_LOCAL_MACHINE and HKEY_USERS in " + machine + "\n";
    return text;
}

} // namespace vtx
