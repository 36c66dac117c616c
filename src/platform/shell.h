// The desktop shell and the session: program groups, printers, wallpaper, the console
// window, message boxes, shut-down and log-off. Every call returns a Win32-numbered status.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace vtx::platform {

// One DDE conversation with the program-group server (service and topic "Progman"), ended
// by the destructor. POSIX has no such server: a substitute takes the same command texts and
// keeps the groups as the desktop's XDG menus.
class ProgmanConversation {
  public:
    ProgmanConversation();
    ~ProgmanConversation();
    ProgmanConversation(const ProgmanConversation&) = delete;
    ProgmanConversation& operator=(const ProgmanConversation&) = delete;

    // 0 when connected; 1 when DDE cannot be started; 2 when no server answers (POSIX: no
    // user session, that is no XDG_RUNTIME_DIR, or no home folder for the menus).
    int32_t open();
    // Sends one command; true when the server carried it out within 10 seconds.
    bool execute(const std::string& command);

  private:
    struct State;
    std::unique_ptr<State> state_;
};

// Connects a network printer (`\\server\printer`): 0 or a status (5 without the right to
// add printers, 1801 for a name of another form). Windows' spooler lists the connection
// under the Devices key itself and leaves `devices_entry` empty; POSIX makes a CUPS queue
// (1722 when the scheduler does not answer, 50 without libcups) and hands back the entry
// ("cups,QUEUE") for the caller to record there, where SETDEFAULTPRINTER looks.
int32_t add_printer_connection(const std::string& name, std::string& devices_entry);
// Removes a connection: 0 or a status. POSIX removes only a queue it made (1801 for any
// other) and sets `drop_devices_entry` when the caller must remove the Devices value too.
int32_t delete_printer_connection(const std::string& name, bool& drop_devices_entry);
// Once SETDEFAULTPRINTER has written the "device" value from the Devices `entry`: 0, or the
// status of making that printer the default of the platform's own print system as well.
// Windows: the value is the default, 0. POSIX: the user's CUPS default for a "cups,QUEUE"
// entry (2 when CUPS has no such queue), 0 for other entries.
int32_t make_default_printer(const std::string& entry);

// The 9x line's printer list: the entry of `printer` in the profile section "Devices".
// False when there is none. POSIX: no profile, false.
bool profile_printer_entry(const std::string& printer, std::string& entry);
// Writes the profile's default printer ("windows" section, "device" entry); unchecked.
void write_profile_default_printer(const std::string& text);
// Tells every top-level window that the settings section `section` changed.
void broadcast_setting_change(const char* section);

// Sets the desktop wallpaper for this logon only: 0 or a status. POSIX: the setting of the
// desktop XDG_CURRENT_DESKTOP names (GSettings for GNOME, Cinnamon and MATE, xfconf for
// XFCE), which outlasts the logon; 2 or 3 for a missing picture, 50 for a desktop it does
// not know, 126 without GIO or libsystemd, 1062 when the settings store is not running.
int32_t set_wallpaper(const std::string& path);

enum class WindowAction { foreground, hide, show, minimize, maximize, always_on_top };
// Acts on the console window (ConsoleSetup::window, not 0); the window calls' results are
// not checked. POSIX never knows a console window, so never calls this.
void console_window_action(intptr_t window, WindowAction action);

// Shows a message box owned by `owner` (the console window, 0 for none) and returns the code of the
// button chosen (1 OK, 2 Cancel, 3 Abort, 4 Retry, 5 Ignore, 6 Yes, 7 No), -1 when
// `timeout_seconds` (0: none) passed first, or 0 when the box could not be shown. POSIX: a dialog
// on the terminal when standard input and output are both one; when neither is, the
// desktop's notification with actions or dialog program; else 0.
int32_t message_box(intptr_t owner, const std::string& text, const std::string& title,
                    uint32_t style, uint32_t timeout_seconds);

// Asks `computer` (empty: this one) to shut down after `timeout_seconds`; the caller holds
// the shut-down privilege. 0 or a status. POSIX, this computer (empty or its own name):
// logind's wall message, then ScheduleShutdown, or PowerOff/Reboot at once for 0 seconds
// (`force` has no counterpart: logind always ends the programs); 5 refused, 1062 no logind, 126 no
// libsystemd. Another computer: `net rpc shutdown` with the user's Kerberos ticket or Samba's
// environment credentials; 5 refused, 53 unreachable.
int32_t shutdown_computer(const std::string& computer, const std::string& message,
                          uint32_t timeout_seconds, bool force, bool reboot);
// Starts logging the user off: 0 or a status. POSIX: unless forced, the desktop's session
// manager (which lets applications object); else, or with none, logind ends this process's
// session (Session.Terminate). 5 refused, 1062 no logind, 1312 not in a session.
int32_t log_off(bool force);

} // namespace vtx::platform
