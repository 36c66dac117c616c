#include "platform/posix/terminal/terminal.h"

#include <cerrno>
#include <clocale>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <langinfo.h>
#include <locale.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include "platform/console.h"
#include "platform/posix/descriptor_io.h"

namespace vtx::platform {

namespace {

// Touched by the signal handlers, so plain flags and a plain record.
volatile sig_atomic_t g_wrap_off = 0;      // auto-wrap was switched off at start
volatile sig_atomic_t g_input_changed = 0; // g_input_modes must be put back
volatile sig_atomic_t g_break_off = 0;
volatile sig_atomic_t g_dialog_screen = 0; // a dialog holds the alternate screen
volatile sig_atomic_t g_colours_set = 0;   // the script's colours are on the terminal
termios g_input_modes;

const char kWrapOff[] = "\x1b[?7l";
const char kWrapOn[] = "\x1b[?7h";
const char kDialogScreenOn[] = "\x1b[?1049h\x1b[?25l"; // alternate screen, cursor hidden
const char kDialogScreenOff[] = "\x1b[?25h\x1b[?1049l";
// The terminal's own default colours, not white on black: the shell prompt that follows
// must look as it did before the script.
const char kColoursReset[] = "\x1b[0m";

// Async-signal-safe: only tcsetattr and write.
void restore_terminal() {
    if (g_input_changed) {
        tcsetattr(STDIN_FILENO, TCSANOW, &g_input_modes);
        g_input_changed = 0;
    }
    if (g_dialog_screen) {
        write_all(STDOUT_FILENO, kDialogScreenOff);
        g_dialog_screen = 0;
    }
    if (g_colours_set) {
        write_all(STDOUT_FILENO, kColoursReset);
        g_colours_set = 0;
    }
    if (g_wrap_off) {
        write_all(STDOUT_FILENO, kWrapOn);
        g_wrap_off = 0;
    }
}

void restore_at_exit() {
    restore_terminal();
}

// Ends the process the way the signal would, with the terminal put back first. A hang-up
// in break off is the console window being closed: the bell (the terminal may already be
// gone), then the program ends, since the session it belonged to has ended with it.
void end_by_signal(int sig) {
    if (sig == SIGHUP && g_break_off) {
        write_all(STDOUT_FILENO, "\a");
    }
    restore_terminal();
    std::signal(sig, SIG_DFL);
    std::raise(sig); // delivered when the handler returns
}

void handle(int sig, void (*handler)(int)) {
    struct sigaction action;
    std::memset(&action, 0, sizeof action);
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(sig, &action, nullptr);
}

// Keeps a signal ignored when the parent asked for that (nohup, background jobs).
void handle_unless_ignored(int sig) {
    struct sigaction old;
    if (sigaction(sig, nullptr, &old) == 0 && old.sa_handler == SIG_IGN) return;
    handle(sig, end_by_signal);
}

// A closed standard descriptor would be handed to the next file opened (a data file read
// by GETS, or written by every text statement): each one is held by /dev/null instead.
void hold_standard_descriptors() {
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
        if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
        int held = ::open("/dev/null", fd == STDIN_FILENO ? O_RDONLY : O_WRONLY);
        if (held >= 0 && held != fd) {
            ::dup2(held, fd);
            ::close(held);
        }
    }
}

bool detect_utf8() {
    locale_t loc = newlocale(LC_CTYPE_MASK, "", locale_t(0));
    if (loc == locale_t(0)) return false;
    const char* codeset = nl_langinfo_l(CODESET, loc);
    bool utf8 =
        codeset && (std::strcmp(codeset, "UTF-8") == 0 || std::strcmp(codeset, "utf8") == 0);
    freelocale(loc);
    return utf8;
}

} // namespace

bool output_is_terminal() {
    static const bool terminal = isatty(STDOUT_FILENO) == 1;
    return terminal;
}

bool terminal_is_utf8() {
    static const bool utf8 = detect_utf8();
    return utf8;
}

void input_modes_changed(const termios& saved) {
    g_input_modes = saved;
    g_input_changed = 1;
}

void input_modes_restored() {
    g_input_changed = 0;
}

void colours_changed() {
    g_colours_set = 1;
}

void dialog_screen_enter() {
    g_dialog_screen = 1;
    write_all(STDOUT_FILENO, kDialogScreenOn);
}

void dialog_screen_leave() {
    write_all(STDOUT_FILENO, kDialogScreenOff);
    g_dialog_screen = 0;
}

ConsoleSetup console_initialise() {
    ConsoleSetup setup;
    hold_standard_descriptors();
    handle_unless_ignored(SIGTERM);
    handle_unless_ignored(SIGHUP);
    std::atexit(restore_at_exit);
    if (!output_is_terminal()) return setup;
    setup.is_console = true;
    console_size(setup.width, setup.height);
    // As the Windows build turns the console's wrap at line end off: the writer's cursor model
    // never wraps, so the terminal must not either.
    console_write(kWrapOff);
    g_wrap_off = 1;
    return setup;
}

void break_off(intptr_t) {
    g_break_off = 1;
    std::signal(SIGINT, SIG_IGN);
    std::signal(SIGQUIT, SIG_IGN);
}

void break_on(intptr_t) {
    g_break_off = 0;
    handle(SIGINT, end_by_signal);
    handle(SIGQUIT, end_by_signal);
}

} // namespace vtx::platform
