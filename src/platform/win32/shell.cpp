#include "platform/shell.h"

#include <windows.h>

#include <ddeml.h>
#include <winspool.h>

namespace vtx::platform {

namespace {

constexpr DWORD kDdeTimeout = 10000;
constexpr const char* kProgman = "Progman";

HDDEDATA CALLBACK dde_callback(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) {
    return nullptr;
}

int32_t last_error() {
    return int32_t(GetLastError());
}

// The timer routine has no argument of its own to carry state, and the box's modal loop runs
// on this thread only; so these two live here.
bool g_box_timed_out = false;
HWND g_box_owner = nullptr;

// The message box of this thread, active or not.
BOOL CALLBACK find_box(HWND window, LPARAM found) {
    char name[8] = "";
    GetClassNameA(window, name, sizeof name);
    if (lstrcmpA(name, "#32770") != 0) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

VOID CALLBACK box_timer(HWND, UINT, UINT_PTR, DWORD) {
    HWND box = GetActiveWindow();
    if (!box) {
        // Bring our window forward for the user; but a box that cannot become active (a
        // program in the background is not given the foreground) must close all the same.
        SetForegroundWindow(g_box_owner);
        EnumThreadWindows(GetCurrentThreadId(), find_box, reinterpret_cast<LPARAM>(&box));
    }
    if (box) {
        g_box_timed_out = true;
        EndDialog(box, 0);
    }
}

} // namespace

struct ProgmanConversation::State {
    DWORD instance = 0;
    HSZ name = nullptr;
    HCONV conversation = nullptr;
};

ProgmanConversation::ProgmanConversation() : state_(std::make_unique<State>()) {}

ProgmanConversation::~ProgmanConversation() {
    if (state_->conversation) DdeDisconnect(state_->conversation);
    if (state_->name) DdeFreeStringHandle(state_->instance, state_->name);
    if (state_->instance) DdeUninitialize(state_->instance);
}

int32_t ProgmanConversation::open() {
    State& s = *state_;
    if (DdeInitializeA(&s.instance, dde_callback, APPCMD_CLIENTONLY | CBF_SKIP_ALLNOTIFICATIONS,
                       0) != DMLERR_NO_ERROR ||
        s.instance == 0) {
        s.instance = 0;
        return 1;
    }
    s.name = DdeCreateStringHandleA(s.instance, kProgman, 0);
    s.conversation = DdeConnect(s.instance, s.name, s.name, nullptr);
    return s.conversation ? 0 : 2;
}

bool ProgmanConversation::execute(const std::string& command) {
    DWORD result = 0;
    auto* data = reinterpret_cast<BYTE*>(const_cast<char*>(command.c_str()));
    return DdeClientTransaction(data, DWORD(command.size() + 1), state_->conversation, nullptr, 0,
                                XTYP_EXECUTE, kDdeTimeout, &result) != nullptr;
}

int32_t add_printer_connection(const std::string& name, std::string&) {
    return AddPrinterConnectionA(const_cast<char*>(name.c_str())) ? 0 : last_error();
}

int32_t delete_printer_connection(const std::string& name, bool&) {
    return DeletePrinterConnectionA(const_cast<char*>(name.c_str())) ? 0 : last_error();
}

int32_t make_default_printer(const std::string&) {
    return 0;
}

bool profile_printer_entry(const std::string& printer, std::string& entry) {
    std::string buffer(32000, '\0');
    DWORD n =
        GetProfileStringA("Devices", printer.c_str(), "", buffer.data(), DWORD(buffer.size()));
    buffer.resize(n);
    entry.swap(buffer);
    return n != 0;
}

void write_profile_default_printer(const std::string& text) {
    WriteProfileStringA("windows", "device", text.c_str());
}

void broadcast_setting_change(const char* section) {
    SendMessageA(HWND_BROADCAST, WM_WININICHANGE, 0, reinterpret_cast<LPARAM>(section));
}

int32_t set_wallpaper(const std::string& path) {
    // Without SPIF_UPDATEINIFILE: the wallpaper holds for this logon only.
    return SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, const_cast<char*>(path.c_str()),
                                 SPIF_SENDWININICHANGE)
               ? 0
               : last_error();
}

void console_window_action(intptr_t handle, WindowAction action) {
    auto window = reinterpret_cast<HWND>(handle);
    switch (action) {
    case WindowAction::foreground: SetForegroundWindow(window); break;
    case WindowAction::hide: ShowWindow(window, SW_HIDE); break;
    case WindowAction::show: ShowWindow(window, SW_SHOW); break;
    case WindowAction::minimize: ShowWindow(window, SW_MINIMIZE); break;
    case WindowAction::maximize: ShowWindow(window, SW_SHOWMAXIMIZED); break;
    case WindowAction::always_on_top: {
        RECT r{};
        GetWindowRect(window, &r);
        SetWindowPos(window, HWND_TOPMOST, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_SHOWWINDOW);
        break;
    }
    }
}

int32_t message_box(intptr_t owner_handle, const std::string& text, const std::string& title,
                    uint32_t style, uint32_t timeout_seconds) {
    auto owner = reinterpret_cast<HWND>(owner_handle);
    if (timeout_seconds == 0) return MessageBoxA(owner, text.c_str(), title.c_str(), style);
    g_box_timed_out = false;
    g_box_owner = owner;
    // A thread timer: the box's own message loop serves it. Kept below the timer maximum.
    UINT ms = timeout_seconds > 0x7FFFFFFFu / 1000 ? 0x7FFFFFFFu : timeout_seconds * 1000;
    UINT_PTR timer = SetTimer(nullptr, 0, ms, box_timer);
    int result = MessageBoxA(owner, text.c_str(), title.c_str(), style);
    KillTimer(nullptr, timer);
    return g_box_timed_out ? -1 : result;
}

int32_t shutdown_computer(const std::string& computer, const std::string& message,
                          uint32_t timeout_seconds, bool force, bool reboot) {
    return InitiateSystemShutdownA(computer.empty() ? nullptr : const_cast<char*>(computer.c_str()),
                                   const_cast<char*>(message.c_str()), timeout_seconds, force,
                                   reboot)
               ? 0
               : last_error();
}

int32_t log_off(bool force) {
    return ExitWindowsEx(force ? EWX_LOGOFF | EWX_FORCE : EWX_LOGOFF, 0) ? 0 : last_error();
}

} // namespace vtx::platform
