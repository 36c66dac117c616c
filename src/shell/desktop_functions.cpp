#include "engine/arguments.h"
#include "engine/script_error.h"
#include "engine/status_result.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/status.h"
#include "platform/text_rules.h"
#include "registry/operations.h"
#include "shell/handlers.h"

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
// Windows refuses a shut-down further away than ten years; a negative time is as far.
constexpr uint32_t kMaxShutdownSeconds = 10u * 365 * 24 * 60 * 60;

constexpr uint32_t kRegSz = 1;
constexpr int32_t kNoProfileEntry = 1;
constexpr const char* kDevicesKey =
    "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Devices";
constexpr const char* kWindowsKey =
    "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";
constexpr const char* kPrintersKey = "HKEY_LOCAL_MACHINE\\Config\\0001\\System\\"
                                     "CurrentControlSet\\Control\\Print\\Printers";

// "printer,port-and-driver": an over-long one stops the script like any over-long text.
std::string device_text(const std::string& printer, const std::string& data) {
    std::string text;
    bounded_copy(text, printer);
    bounded_append(text, ",");
    bounded_append(text, data);
    return text;
}

int32_t set_default_printer_nt(Runtime& rt, const std::string& printer) {
    std::string data;
    uint32_t type = 0;
    if (int32_t st = read_value(rt.registry, kDevicesKey, printer, data, type)) return st;
    if (int32_t st =
            write_value(rt.registry, kWindowsKey, "device", device_text(printer, data), kRegSz))
        return st;
    return platform::make_default_printer(data);
}

// Lists a new connection under Devices where the platform's spooler does not do so itself,
// so that SETDEFAULTPRINTER finds it the same way on both builds.
int32_t add_printer(Runtime& rt, const std::string& printer) {
    std::string entry;
    if (int32_t st = platform::add_printer_connection(printer, entry)) return st;
    if (entry.empty()) return 0;
    // Both keys exist in every Windows profile; a fresh POSIX store has neither.
    for (const char* key : {kDevicesKey, kWindowsKey})
        if (int32_t st = create_key(rt.registry, key)) return st;
    return write_value(rt.registry, kDevicesKey, printer, entry, kRegSz);
}

int32_t delete_printer(Runtime& rt, const std::string& printer) {
    bool drop_entry = false;
    int32_t st = platform::delete_printer_connection(printer, drop_entry);
    if (!drop_entry) return st;
    delete_value(rt.registry, kDevicesKey, printer);
    // The user's default goes with its connection, as the Windows spooler drops it.
    std::string device;
    uint32_t type = 0;
    if (read_value(rt.registry, kWindowsKey, "device", device, type) == 0 &&
        starts_nocase(device, printer + ","))
        delete_value(rt.registry, kWindowsKey, "device");
    return st;
}

int32_t set_default_printer_9x(Runtime& rt, const std::string& printer) {
    std::string entry;
    if (!platform::profile_printer_entry(printer, entry)) return kNoProfileEntry;
    if (int32_t st = write_value(rt.registry, kPrintersKey, "default", printer, kRegSz)) return st;
    platform::write_profile_default_printer(device_text(printer, entry));
    platform::broadcast_setting_change("windows");
    return 0;
}

} // namespace

void fn_addprinterconnection(Runtime& rt, std::string& result) {
    std::string name;
    function_arguments<FN_ADDPRINTERCONNECTION>(rt, name);
    int32_t st = add_printer(rt, name);
    if (rt.logon_notes)
        rt.logon_notes->push_back("ADDPRINTERCONNECTION " + name + ": " + std::to_string(st));
    finish_status(rt, result, st);
}

void fn_delprinterconnection(Runtime& rt, std::string& result) {
    std::string name;
    function_arguments<FN_DELPRINTERCONNECTION>(rt, name);
    int32_t st = delete_printer(rt, name);
    if (rt.logon_notes)
        rt.logon_notes->push_back("DELPRINTERCONNECTION " + name + ": " + std::to_string(st));
    finish_status(rt, result, st);
}

void fn_setdefaultprinter(Runtime& rt, std::string& result) {
    std::string printer;
    function_arguments<FN_SETDEFAULTPRINTER>(rt, printer);
    finish_status(rt, result,
                  rt.os.is_nt() ? set_default_printer_nt(rt, printer)
                                : set_default_printer_9x(rt, printer));
}

void fn_setwallpaper(Runtime& rt, std::string& result) {
    std::string path;
    function_arguments<FN_SETWALLPAPER>(rt, path);
    finish_status(rt, result, platform::set_wallpaper(path));
}

void fn_setconsole(Runtime& rt, std::string& result) {
    std::string word;
    function_arguments<FN_SETCONSOLE>(rt, word);
    for (const ConsoleWord& entry : kConsoleWords) {
        if (!equal_nocase(word, entry.word)) continue;
        // Without a console window (always so on POSIX) nothing is done.
        if (!rt.out.window) return finish_status(rt, result, status::kFileNotFound);
        platform::console_window_action(rt.out.window, entry.action);
        return finish_status(rt, result, 0);
    }
    throw ScriptError(kErrUnknownCommand);
}

void fn_messagebox(Runtime& rt, std::string& result) {
    std::string text, title;
    int32_t style = 0, timeout = 0;
    function_arguments<FN_MESSAGEBOX>(rt, text, title, style, timeout);
    // A negative time is no time limit rather than a wait of weeks.
    uint32_t seconds = timeout > 0 ? uint32_t(timeout) : 0;
    finish_status(rt, result,
                  platform::message_box(rt.out.window, text, title, uint32_t(style), seconds));
}

void fn_shutdown(Runtime& rt, std::string& result) {
    std::string computer, message;
    int32_t timeout = kDefaultShutdownSeconds, force = 0, reboot = 0;
    function_arguments<FN_SHUTDOWN>(rt, computer, message, timeout, force, reboot);
    if (uint32_t(timeout) > kMaxShutdownSeconds) {
        finish_status(rt, result, status::kInvalidParameter);
        return;
    }
    finish_status(
        rt, result,
        platform::shutdown_computer(computer, message, uint32_t(timeout), force != 0, reboot != 0));
}

void fn_logoff(Runtime& rt, std::string& result) {
    int32_t force = 0;
    function_arguments<FN_LOGOFF>(rt, force);
    finish_status(rt, result, platform::log_off(force != 0));
}

} // namespace vtx
