#include "app/posix/logon_run.h"

#include <climits>
#include <cstdlib>
#include <new>
#include <utility>

#include "app/posix/logon_choice.h"
#include "app/startup.h"
#include "engine/interpreter.h"
#include "engine/runtime.h"
#include "engine/script_error.h"
#include "network/group_functions.h"
#include "network/user_gather.h"
#include "platform/diagnostics.h"
#include "platform/files.h"
#include "platform/network.h"
#include "platform/posix/descriptor_io.h"
#include "platform/posix/system/ini_text.h"
#include "platform/posix/system/session_files.h"
#include "platform/posix/system/user_log.h"
#include "platform/status.h"
#include "platform/system.h"
#include "platform/text_rules.h"

namespace vtx {

namespace {

bool yes(const std::string& value) {
    return equal_nocase(value, "yes") || equal_nocase(value, "true") || value == "1";
}

class LogonRun {
  public:
    LogonRun(Runtime& rt, const std::vector<std::string>& words)
        : rt_(rt), words_(words), started_(platform::monotonic_ms()) {}

    int run();

  private:
    int finish(const std::string& message, int code = 0);
    void note(const std::string& name, const std::string& value) {
        record_.fields.emplace_back(name, value);
    }
    std::string share_path(const std::string& name) const;
    bool readable_on_share(const std::string& path, std::string& why) const;
    int run_words(const std::vector<std::string>& words);
    int run_file(const std::string& name);
    int run_startup_rules();
    int run_batch(const std::string& name);
    void set_windows_environment();

    Runtime& rt_;
    std::vector<std::string> words_; // the command line's $name=value words
    long long started_;
    platform::LogRecord record_;
    std::vector<std::string> notes_;
    bool ran_ = false;
};

// A name on the logon share as the script engine opens it (\\DC1\NETLOGON\sales\x.scr).
std::string LogonRun::share_path(const std::string& name) const {
    std::string path = rt_.user.logon_drive + name;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

// The file exists on the mounted share and, links followed, is still inside it.
bool LogonRun::readable_on_share(const std::string& path, std::string& why) const {
    std::string file = platform::native_path(path);
    std::string share = platform::native_path(rt_.user.logon_drive);
    char real_file[PATH_MAX], real_share[PATH_MAX];
    if (!::realpath(file.c_str(), real_file)) {
        why = path + " is not on NETLOGON";
        return false;
    }
    if (!::realpath(share.c_str(), real_share) ||
        std::string(real_file).rfind(std::string(real_share) + "/", 0) != 0) {
        why = path + " is a link out of NETLOGON";
        return false;
    }
    return true;
}

int LogonRun::run_file(const std::string& name) {
    if (std::string why = refused_share_name(name); !why.empty()) {
        note("refused", "\"" + name + "\" " + why);
        return 0;
    }
    std::string path = share_path(name), why;
    if (!readable_on_share(path, why)) {
        note("refused", why);
        return 0;
    }
    note("script", path);
    ran_ = true;
    rt_.exit_code = 0;
    try {
        if (run_script(rt_, path) != 0) {
            note("error", path + " could not be read");
            return 1;
        }
    } catch (const ScriptError& e) {
        note("error", located_error(rt_, e.code));
        return report_script_error(rt_, e.code);
    } catch (const std::bad_alloc&) {
        note("error", located_error(rt_, kErrOutOfMemory));
        return report_script_error(rt_, kErrOutOfMemory);
    }
    rt_.out.close_redirect();
    return process_status(rt_.exit_code);
}

// The user's own script, then the default one, both on the share.
int LogonRun::run_startup_rules() {
    std::string why;
    std::string own = rt_.user.user_id + ".SCR";
    if (!rt_.user.user_id.empty() && refused_share_name(own).empty() &&
        readable_on_share(share_path(own), why)) {
        note("why", "the user's own script");
        return run_file(own);
    }
    if (readable_on_share(share_path("VALTRIX.SCR"), why)) {
        note("why", "the default script");
        return run_file("VALTRIX.SCR");
    }
    note("refused", "neither " + own + " nor VALTRIX.SCR is on NETLOGON");
    return 0;
}

// One start of the program: fresh variables, the command line's and the run's own
// $name=value words, then its scripts (or the start-up rules when it names none).
int LogonRun::run_words(const std::vector<std::string>& words) {
    rt_.vars = Variables{};
    rt_.error = 0;
    for (const std::vector<std::string>* list : {&std::as_const(words_), &words})
        for (const std::string& w : *list)
            if (!w.empty() && w[0] == '$') define_command_line_variable(rt_, w);
    int code = 0;
    bool named = false;
    for (const std::string& w : words) {
        if (w.empty() || w[0] == '$') continue;
        named = true;
        code = run_file(script_file_name(w));
        if (code != 0) break;
    }
    return named ? code : run_startup_rules();
}

void LogonRun::set_windows_environment() {
    const UserInfo& u = rt_.user;
    if (!u.logon_server.empty()) platform::set_environment("LOGONSERVER", u.logon_server);
    if (!u.user_id.empty()) platform::set_environment("USERNAME", u.user_id);
    if (!u.logon_domain.empty()) platform::set_environment("USERDOMAIN", u.logon_domain);
}

int LogonRun::run_batch(const std::string& name) {
    std::string path = share_path(name), why, text;
    if (!readable_on_share(path, why)) {
        note("refused", why);
        return 0;
    }
    if (platform::read_file(platform::native_path(path), text, 1 << 20) != 0) {
        note("refused", path + " could not be read");
        return 0;
    }
    int code = 0;
    bool any = false;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        BatchLine line = read_batch_line(std::string_view(text).substr(start, end - start));
        start = end + 1;
        if (line.kind == BatchLine::Kind::kSkipped) note("skipped", line.text);
        if (line.kind != BatchLine::Kind::kRun) continue;
        any = true;
        code = run_words(line.args);
    }
    if (!any) note("refused", path + " has no line that starts the program");
    return code;
}

int LogonRun::finish(const std::string& message, int code) {
    for (const std::string& n : notes_) note("use", n);
    note("exit", std::to_string(code));
    note("duration", std::to_string(platform::monotonic_ms() - started_) + " ms");
    record_.message = message;
    platform::write_user_log("logon.log", record_);
    rt_.logon_notes = nullptr;
    rt_.out.close_redirect();
    rt_.out.break_on();
    return code;
}

int LogonRun::run() {
    std::string mark = platform::session_file("logon");
    rt_.os = platform::os_version();
    rt_.user_result = gather_user_information(rt_);
    const UserInfo& u = rt_.user;
    note("user", u.logon_domain.empty() ? u.user_id : u.logon_domain + "\\" + u.user_id);
    if (mark.empty()) return finish("logon not run: no runtime folder (XDG_RUNTIME_DIR)");
    std::string config;
    const char* launcher = std::getenv("VTX32_LAUNCHER");
    if (platform::read_file(kLogonConfig, config, 1 << 16) == 0)
        if (std::string off = logon_switched_off(config, launcher ? launcher : "", u); !off.empty())
            return finish("logon not run: " + off);
    if (int e = platform::take_session_mark(mark)) {
        // Ran before in this session (or started together with a launcher that won): quiet.
        if (e == EEXIST) return 0;
        return finish("logon not run: the session mark " + mark + " cannot be made");
    }
    if (!u.qualified_groups) return finish("logon not run: not a domain account");
    note("server", u.controller_host.empty() ? u.logon_server : u.controller_host);
    if (u.controller_host.empty()) return finish("logon not run: no logon server found");
    if (u.directory_result == status::kLogonFailure)
        return finish("logon not run: no Kerberos ticket, or the directory refused it");
    if (u.directory_result == status::kBadNetPath)
        return finish("logon not run: the logon server did not answer");
    std::string netlogon = "\\\\" + u.controller_host + "\\NETLOGON";
    if (int32_t st = platform::add_connection("", netlogon, nullptr, nullptr))
        return finish("logon not run: " + netlogon +
                      " could not be mounted: " + std::to_string(st));
    rt_.logon_share = true;
    set_windows_environment();
    rt_.logon_notes = &notes_;
    if (!u.home_drive.empty() && !u.home_share.empty()) {
        int32_t st = platform::add_connection(u.home_drive, u.home_share, nullptr, nullptr);
        notes_.push_back("home drive " + u.home_drive + " " + u.home_share + ": " +
                         std::to_string(st));
    }
    note("attribute", u.logon_script);
    LogonChoice choice = choose_logon_script(u.logon_script);
    int code = 0;
    switch (choice.kind) {
    case LogonChoice::Kind::kNone:
        note("why", "the account names no script");
        code = run_words({});
        break;
    case LogonChoice::Kind::kRefused: note("refused", choice.why); break;
    case LogonChoice::Kind::kProgram:
        note("why", "the account names the program");
        code = run_words(choice.args);
        break;
    case LogonChoice::Kind::kScript: {
        note("why", "the account names a script");
        std::vector<std::string> words = {choice.file};
        words.insert(words.end(), choice.args.begin(), choice.args.end());
        code = run_words(words);
        break;
    }
    case LogonChoice::Kind::kBatch:
        note("why", "the account names a batch file");
        code = run_batch(choice.file);
        break;
    }
    return finish(ran_ ? "logon script run" : "logon run without a script", code);
}

} // namespace

std::string logon_switched_off(const std::string& config, const std::string& launcher,
                               const UserInfo& user) {
    for (const std::string& section : {std::string("all"), launcher}) {
        if (section.empty()) continue;
        std::string where = std::string(kLogonConfig) + " [" + section + "]";
        if (yes(ini::read_value(config, section, "off")))
            return "switched off for everyone in " + where;
        std::string groups = ini::read_value(config, section, "groups");
        for (std::size_t start = 0; start < groups.size();) {
            std::size_t end = groups.find(',', start);
            if (end == std::string::npos) end = groups.size();
            std::string group = groups.substr(start, end - start);
            group.erase(0, group.find_first_not_of(" \t"));
            group.erase(group.find_last_not_of(" \t") + 1);
            if (!group.empty() && group_membership(user, group) != '0')
                return "switched off for the group " + group + " in " + where;
            start = end + 1;
        }
    }
    return {};
}

int run_logon(Runtime& rt, const std::vector<std::string>& args) {
    std::vector<std::string> words;
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--logon") continue;
        if (args[i].empty() || args[i][0] != '$') {
            platform::error_write(kUsage);
            rt.out.break_on();
            return 2;
        }
        words.push_back(args[i]);
    }
    return LogonRun(rt, words).run();
}

} // namespace vtx
