// Recording stand-in for NETAPI32.DLL: the account, workstation, message, time and NetBIOS
// calls the program resolves at run time. See recorder.h for the fixture and the log.
//
// Fixture keys:
//   [Workstation] Name, Domain, LanRoot, Version (major.minor), Adapter (12 hex digits)
//   [User] Name, LogonDomain, LogonServer, FullName, Comment, HomeDir, Privilege,
//          PasswordAge and MaxPasswordAge (seconds), Groups and LocalGroups (lists)
//   [Time] Sources (servers listed as time sources), Servers (servers that answer the time
//          of day), Now (default: the current time, so setting the clock changes nothing)
//   [Messages] Recipients (names the messenger service knows)
//   [Status] any entry name: a status it returns instead of answering
#include <cstdlib>
#include <cstring>
#include <map>

#include <windows.h>

#include <lm.h>
#include <nb30.h>

#include "recorder.h"

namespace {

// Which call made each buffer still held by the program, so that its release can be logged
// by that name.
std::map<void*, std::string>& held_buffers() {
    static std::map<void*, std::string> held;
    return held;
}

// One result buffer as the library hands it out: the records first, their texts packed
// after them, all in one block released by NetApiBufferFree.
class Result {
  public:
    Result(const char* entry, std::size_t record_bytes) : next_(record_bytes) {
        data_ = static_cast<LPBYTE>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, kSize));
        held_buffers()[data_] = entry;
    }
    template <class T> T* records() { return reinterpret_cast<T*>(data_); }
    // A text that does not fit reads as empty: the block's last character stays zero.
    LPWSTR text(const std::string& s) {
        std::wstring w = rec::widen(s);
        std::size_t bytes = (w.size() + 1) * sizeof(wchar_t);
        if (next_ + bytes > kSize - sizeof(wchar_t))
            return reinterpret_cast<LPWSTR>(data_ + kSize - sizeof(wchar_t));
        LPWSTR at = reinterpret_cast<LPWSTR>(data_ + next_);
        std::memcpy(at, w.c_str(), bytes);
        next_ += bytes;
        return at;
    }
    LPBYTE release() { return data_; }

  private:
    static constexpr std::size_t kSize = 65536;
    LPBYTE data_;
    std::size_t next_;
};

std::string user(const char* key, const char* fallback = "") {
    return rec::fixture("User", key, fallback);
}
std::string workstation(const char* key, const char* fallback = "") {
    return rec::fixture("Workstation", key, fallback);
}
DWORD number(const std::string& text) {
    return DWORD(std::strtoul(text.c_str(), nullptr, 10));
}

// The user the calls are asked about must be the fixture's.
bool known_user(LPCWSTR name) {
    return name && rec::same_name(rec::narrow(name), user("Name"));
}

// "\\NAME" when NAME is in the fixture's list.
bool listed_server(LPCWSTR server, const char* key) {
    std::string name = rec::narrow(server);
    if (name.size() < 3 || name.compare(0, 2, "\\\\") != 0) return false;
    for (const std::string& s : rec::split_list(rec::fixture("Time", key)))
        if (rec::same_name(s, name.substr(2))) return true;
    return false;
}

// Group lists: every group, also with "more data" when the fixture orders that; any other
// status it orders comes without a list.
template <class Info, class Field>
NET_API_STATUS group_list(const char* entry, const char* key, Field field, LPBYTE* buffer,
                          LPDWORD read, LPDWORD total) {
    DWORD status = rec::forced_status(entry);
    if (status != 0 && status != ERROR_MORE_DATA) return status;
    std::vector<std::string> groups = rec::split_list(user(key));
    Result result(entry, groups.size() * sizeof(Info));
    for (std::size_t i = 0; i < groups.size(); ++i)
        result.records<Info>()[i].*field = result.text(groups[i]);
    *buffer = result.release();
    *read = DWORD(groups.size());
    *total = *read + (status == ERROR_MORE_DATA ? 1 : 0);
    return status;
}

// What a query answers instead of its result: the status the fixture orders, or a level
// other than the one the program asks for.
DWORD refusal(const char* entry, DWORD level, DWORD wanted) {
    if (DWORD st = rec::forced_status(entry)) return st;
    return level == wanted ? 0 : ERROR_INVALID_LEVEL;
}

} // namespace

extern "C" {

NET_API_STATUS WINAPI record_NetApiBufferFree(LPVOID buffer) {
    auto it = held_buffers().find(buffer);
    rec::Call("NetApiBufferFree").text(it == held_buffers().end() ? "unknown" : it->second.c_str());
    if (it == held_buffers().end()) return ERROR_INVALID_PARAMETER;
    held_buffers().erase(it);
    HeapFree(GetProcessHeap(), 0, buffer);
    return NERR_Success;
}

NET_API_STATUS WINAPI record_NetWkstaUserGetInfo(LPWSTR reserved, DWORD level, LPBYTE* buffer) {
    rec::Call("NetWkstaUserGetInfo").text(reserved).number(level);
    if (DWORD st = refusal("NetWkstaUserGetInfo", level, 1)) return st;
    Result result("NetWkstaUserGetInfo", sizeof(WKSTA_USER_INFO_1));
    auto* info = result.records<WKSTA_USER_INFO_1>();
    info->wkui1_username = result.text(user("Name"));
    info->wkui1_logon_domain = result.text(user("LogonDomain"));
    info->wkui1_oth_domains = result.text("");
    info->wkui1_logon_server = result.text(user("LogonServer"));
    *buffer = result.release();
    return NERR_Success;
}

NET_API_STATUS WINAPI record_NetWkstaGetInfo(LPWSTR server, DWORD level, LPBYTE* buffer) {
    rec::Call("NetWkstaGetInfo").text(server).number(level);
    if (DWORD st = refusal("NetWkstaGetInfo", level, 101)) return st;
    Result result("NetWkstaGetInfo", sizeof(WKSTA_INFO_101));
    auto* info = result.records<WKSTA_INFO_101>();
    std::string version = workstation("Version", "4.0");
    info->wki101_platform_id = 500; // PLATFORM_ID_NT
    info->wki101_computername = result.text(workstation("Name"));
    info->wki101_langroup = result.text(workstation("Domain"));
    info->wki101_ver_major = number(version);
    info->wki101_ver_minor = number(version.substr(version.find('.') + 1));
    info->wki101_lanroot = result.text(workstation("LanRoot"));
    *buffer = result.release();
    return NERR_Success;
}

NET_API_STATUS WINAPI record_NetUserGetInfo(LPCWSTR server, LPCWSTR name, DWORD level,
                                            LPBYTE* buffer) {
    rec::Call("NetUserGetInfo").text(server).text(name).number(level);
    if (DWORD st = refusal("NetUserGetInfo", level, 11)) return st;
    if (!known_user(name)) return NERR_UserNotFound;
    Result result("NetUserGetInfo", sizeof(USER_INFO_11));
    auto* info = result.records<USER_INFO_11>();
    info->usri11_name = result.text(user("Name"));
    info->usri11_comment = result.text(user("Comment"));
    info->usri11_usr_comment = result.text("");
    info->usri11_full_name = result.text(user("FullName"));
    info->usri11_priv = number(user("Privilege", "1"));
    info->usri11_password_age = number(user("PasswordAge", "0"));
    info->usri11_home_dir = result.text(user("HomeDir"));
    info->usri11_parms = result.text("");
    info->usri11_logon_server = result.text("\\\\*");
    info->usri11_workstations = result.text("");
    info->usri11_max_storage = USER_MAXSTORAGE_UNLIMITED;
    *buffer = result.release();
    return NERR_Success;
}

NET_API_STATUS WINAPI record_NetUserModalsGet(LPCWSTR server, DWORD level, LPBYTE* buffer) {
    rec::Call("NetUserModalsGet").text(server).number(level);
    if (DWORD st = refusal("NetUserModalsGet", level, 0)) return st;
    Result result("NetUserModalsGet", sizeof(USER_MODALS_INFO_0));
    auto* info = result.records<USER_MODALS_INFO_0>();
    info->usrmod0_max_passwd_age = number(user("MaxPasswordAge", "4294967295"));
    info->usrmod0_force_logoff = TIMEQ_FOREVER;
    *buffer = result.release();
    return NERR_Success;
}

NET_API_STATUS WINAPI record_NetUserGetGroups(LPCWSTR server, LPCWSTR name, DWORD level,
                                              LPBYTE* buffer, DWORD preferred, LPDWORD read,
                                              LPDWORD total) {
    rec::Call("NetUserGetGroups").text(server).text(name).number(level).number(preferred);
    *buffer = nullptr;
    *read = *total = 0;
    if (level != 0) return ERROR_INVALID_LEVEL;
    if (!known_user(name)) return NERR_UserNotFound;
    return group_list<GROUP_USERS_INFO_0>("NetUserGetGroups", "Groups",
                                          &GROUP_USERS_INFO_0::grui0_name, buffer, read, total);
}

NET_API_STATUS WINAPI record_NetUserGetLocalGroups(LPCWSTR server, LPCWSTR name, DWORD level,
                                                   DWORD flags, LPBYTE* buffer, DWORD preferred,
                                                   LPDWORD read, LPDWORD total) {
    rec::Call("NetUserGetLocalGroups")
        .text(server)
        .text(name)
        .number(level)
        .number(flags)
        .number(preferred);
    *buffer = nullptr;
    *read = *total = 0;
    if (level != 0) return ERROR_INVALID_LEVEL;
    if (!known_user(name)) return NERR_UserNotFound;
    return group_list<LOCALGROUP_USERS_INFO_0>("NetUserGetLocalGroups", "LocalGroups",
                                               &LOCALGROUP_USERS_INFO_0::lgrui0_name, buffer, read,
                                               total);
}

// As the real call does with a small preferred length: the entries that fit, at least one,
// and "more data" when some were left out.
NET_API_STATUS WINAPI record_NetServerEnum(LPCWSTR server, DWORD level, LPBYTE* buffer,
                                           DWORD preferred, LPDWORD read, LPDWORD total, DWORD type,
                                           LPCWSTR domain, LPDWORD resume) {
    rec::Call("NetServerEnum")
        .text(server)
        .number(level)
        .number(preferred)
        .number(type)
        .text(domain)
        .text(resume ? "resume" : nullptr);
    *buffer = nullptr;
    *read = *total = 0;
    if (DWORD st = refusal("NetServerEnum", level, 100)) return st;
    std::vector<std::string> sources = rec::split_list(rec::fixture("Time", "Sources"));
    Result result("NetServerEnum", sources.size() * sizeof(SERVER_INFO_100));
    std::size_t used = 0;
    for (const std::string& name : sources) {
        used += sizeof(SERVER_INFO_100) + (name.size() + 1) * sizeof(wchar_t);
        if (*read > 0 && used > preferred) break;
        SERVER_INFO_100& entry = result.records<SERVER_INFO_100>()[(*read)++];
        entry.sv100_platform_id = 500;
        entry.sv100_name = result.text(name);
    }
    *buffer = result.release();
    *total = DWORD(sources.size());
    return *read < *total ? ERROR_MORE_DATA : NERR_Success;
}

NET_API_STATUS WINAPI record_NetRemoteTOD(LPCWSTR server, LPBYTE* buffer) {
    rec::Call("NetRemoteTOD").text(server);
    *buffer = nullptr;
    if (DWORD st = rec::forced_status("NetRemoteTOD")) return st;
    if (!listed_server(server, "Servers")) return ERROR_BAD_NETPATH;
    SYSTEMTIME t = rec::recorded_time();
    Result result("NetRemoteTOD", sizeof(TIME_OF_DAY_INFO));
    auto* tod = result.records<TIME_OF_DAY_INFO>();
    tod->tod_hours = t.wHour;
    tod->tod_mins = t.wMinute;
    tod->tod_secs = t.wSecond;
    tod->tod_hunds = 99; // dropped by the program: it sets whole seconds
    tod->tod_timezone = -60;
    tod->tod_tinterval = 310;
    tod->tod_day = t.wDay;
    tod->tod_month = t.wMonth;
    tod->tod_year = t.wYear;
    tod->tod_weekday = t.wDayOfWeek;
    *buffer = result.release();
    return NERR_Success;
}

// Logs the message as the byte count given reads it: the text up to the first zero, then
// whether the count ended exactly after that zero.
NET_API_STATUS WINAPI record_NetMessageBufferSend(LPCWSTR server, LPCWSTR to, LPCWSTR from,
                                                  LPBYTE message, DWORD length) {
    std::wstring text(reinterpret_cast<LPCWSTR>(message), length / sizeof(wchar_t));
    rec::Call("NetMessageBufferSend")
        .text(server)
        .text(to)
        .text(from)
        .text(rec::narrow(text.c_str()).c_str())
        .number(length);
    if (DWORD st = rec::forced_status("NetMessageBufferSend")) return st;
    for (const std::string& name : rec::split_list(rec::fixture("Messages", "Recipients")))
        if (to && rec::same_name(name, rec::narrow(to))) return NERR_Success;
    return NERR_NameNotFound;
}

UCHAR WINAPI record_Netbios(PNCB block) {
    rec::Call("Netbios")
        .number(block->ncb_command)
        .number(block->ncb_lana_num)
        .text(std::string(reinterpret_cast<const char*>(block->ncb_callname), NCBNAMSZ).c_str())
        .number(block->ncb_length);
    if (DWORD st = rec::forced_status("Netbios")) return UCHAR(st);
    if (block->ncb_command == NCBASTAT && block->ncb_buffer && block->ncb_length >= 6) {
        std::string hex = workstation("Adapter", "000000000000");
        for (int i = 0; i < 6 && 2 * i + 2 <= int(hex.size()); ++i)
            block->ncb_buffer[i] = UCHAR(std::strtoul(hex.substr(2 * i, 2).c_str(), nullptr, 16));
    }
    return NRC_GOODRET;
}

} // extern "C"
