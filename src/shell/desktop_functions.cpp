#include "builtins/arguments.h"
#include "builtins/handlers.h"
#include "builtins/status_result.h"
#include "engine/script_error.h"
#include "platform/shell.h"

namespace vtx {

namespace {

using platform::WindowAction;

struct ConsoleWord {
    const char* word;
    WindowAction action;
};

const ConsoleWord kConsoleWords[] = {
    {"FOREGROUND", WindowAction::foreground},
    {"HIDE", WindowAction::hide},
    {"SHOW", WindowAction::show},
    {"MINIMIZE", WindowAction::minimize},
    {"MAXIMIZE", WindowAction::maximize},
    {"ALWAYSONTOP", WindowAction::always_on_top},
};

constexpr int32_t kDefaultShutdownSeconds = 30;

} // namespace

void fn_addprinterconnection(Runtime& rt, std::string& result) {
    std::string name;
    arguments_by_signature(rt, "S", {name});
    return_status(rt, result, platform::add_printer_connection(name));
}

void fn_delprinterconnection(Runtime& rt, std::string& result) {
    std::string name;
    arguments_by_signature(rt, "S", {name});
    return_status(rt, result, platform::delete_printer_connection(name));
}

void fn_setwallpaper(Runtime& rt, std::string& result) {
    std::string path;
    arguments_by_signature(rt, "S", {path});
    return_status(rt, result, platform::set_wallpaper(path));
}

void fn_setconsole(Runtime& rt, std::string& result) {
    std::string word;
    arguments_by_signature(rt, "S", {word});
    for (const ConsoleWord& entry : kConsoleWords) {
        if (equal_nocase(word, entry.word))
            return return_status(rt, result, platform::console_window_action(entry.action));
    }
    throw ScriptError(kErrUnknownCommand);
}

void fn_messagebox(Runtime& rt, std::string& result) {
    std::string text, title;
    int32_t style = 0, timeout = 0;
    arguments_by_signature(rt, "SSll", {text, title, style, timeout});
    // A negative time is no time limit rather than a wait of weeks.
    uint32_t seconds = timeout > 0 ? uint32_t(timeout) : 0;
    return_status(rt, result, platform::message_box(text, title, uint32_t(style), seconds));
}

void fn_shutdown(Runtime& rt, std::string& result) {
    std::string computer, message;
    int32_t timeout = kDefaultShutdownSeconds, force = 0, reboot = 0;
    arguments_by_signature(rt, "SSlll", {computer, message, timeout, force, reboot});
    return_status(
        rt, result,
        platform::shutdown_computer(computer, message, uint32_t(timeout), force != 0, reboot != 0));
}

void fn_logoff(Runtime& rt, std::string& result) {
    int32_t force = 0;
    arguments_by_signature(rt, "l", {force});
    return_status(rt, result, platform::log_off(force != 0));
}

} // namespace vtx

#include "engine/unbuilt.h"
namespace vtx {
void fn_setdefaultprinter(Runtime&, std::string&) {
    not_built_yet();
}
} // namespace vtx
