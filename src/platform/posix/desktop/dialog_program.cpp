#include "platform/posix/desktop/dialog_program.h"

#include <algorithm>
#include <cstdlib>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#include <vector>

#include "platform/posix/desktop/desktop_notification.h"
#include "platform/posix/helper_program.h"
#include "platform/posix/terminal/terminal_dialog.h"

namespace vtx::platform {

namespace {

constexpr const char* kProgram = "zenity";
constexpr int kTimedOut = 5; // its exit status when its own time-out passed
// A box without a time-out waits for the person; a day is longer than any logon waits.
constexpr int kNoTimeLimitSeconds = 24 * 60 * 60;

bool display_there() {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY"}) {
        const char* value = std::getenv(name);
        if (value && *value) return true;
    }
    return false;
}

// Its answer is its output, one line (the toolkit's warnings go to its standard error).
std::string first_line(const std::string& out) {
    return out.substr(0, out.find('\n'));
}

} // namespace

bool dialog_program_box(const std::string& text, const std::string& title, uint32_t style,
                        uint32_t timeout_seconds, int32_t& answer) {
    BoxButtons set;
    if (!display_there() || !box_buttons(style, set)) return false;
    // The program's Cancel button is also what Esc and closing the window choose, so it is
    // the box's Esc button (the last one where Esc chooses none); OK is the first other one,
    // and the rest are extra buttons that print their label.
    const std::vector<DialogButton>& b = set.buttons;
    auto cancel = std::find_if(b.begin(), b.end(),
                               [&](const DialogButton& x) { return x.code == set.escape_code; });
    if (cancel == b.end() && b.size() > 1) cancel = b.end() - 1;
    auto ok = b.begin() == cancel ? b.begin() + 1 : b.begin();
    if (b.size() == 1) cancel = b.end();
    std::vector<std::string> argv = {kProgram,
                                     b.size() == 1 ? "--info" : "--question",
                                     "--no-markup",
                                     "--title=" + notification_title(title),
                                     "--text=" + notification_text(text, false),
                                     std::string("--ok-label=") + ok->label};
    if (cancel != b.end()) argv.push_back(std::string("--cancel-label=") + cancel->label);
    for (auto i = b.begin(); i != b.end(); ++i)
        if (i != ok && i != cancel) argv.push_back(std::string("--extra-button=") + i->label);
    if (cancel != b.end() && b.begin() + long(set.default_button) == cancel)
        argv.push_back("--default-cancel");
    if (timeout_seconds) argv.push_back("--timeout=" + std::to_string(timeout_seconds));

    std::string out;
    int limit = timeout_seconds ? int(std::min<uint32_t>(timeout_seconds, 1u << 20)) + 5
                                : kNoTimeLimitSeconds;
    int rc = run_helper(argv, "", out, limit, false);
    if (rc == 0) {
        answer = ok->code;
    } else if (rc == kTimedOut || (rc == kHelperFailed && timeout_seconds)) {
        answer = -1;
    } else if (rc == 1) {
        // Also where no display could be opened: the box shows as cancelled, as a
        // window closed at once would.
        std::string label = first_line(out);
        auto extra = std::find_if(b.begin(), b.end(), [&](const DialogButton& x) {
            return &x != &*ok && &x != (cancel == b.end() ? nullptr : &*cancel) && label == x.label;
        });
        answer = extra != b.end()    ? extra->code
                 : cancel != b.end() ? cancel->code
                                     : set.escape_code;
    } else {
        return false;
    }
    return true;
}

bool dialog_program_line(std::string& line) {
    if (!display_there()) return false;
    std::string out;
    if (run_helper({kProgram, "--entry", "--title=vtx32", "--text="}, "", out, kNoTimeLimitSeconds,
                   false) != 0)
        return false;
    line = first_line(out);
    return true;
}

bool dialog_keys_wanted() {
    struct stat in {};
    // Started from a desktop launcher: no terminal out, input from /dev/null (device 1,3).
    static const dev_t null_device = makedev(1, 3);
    return display_there() && !::isatty(STDOUT_FILENO) && ::fstat(STDIN_FILENO, &in) == 0 &&
           S_ISCHR(in.st_mode) && in.st_rdev == null_device;
}

} // namespace vtx::platform
