#include "platform/messaging.h"

#include <windows.h>

#include <lm.h>

#include "platform/win32/library.h"

namespace vtx::platform {

namespace {

constexpr const char* kLanManager = "NETAPI32.DLL";
constexpr DWORD kTimeSourceServers = 0x20; // SV_TYPE_TIME_SOURCE
constexpr DWORD kEnumPreferredBytes = 20;

using MessageBufferSend = NET_API_STATUS(WINAPI*)(LPCWSTR, LPCWSTR, LPCWSTR, LPBYTE, DWORD);
using ServerEnum = NET_API_STATUS(WINAPI*)(LPCWSTR, DWORD, LPBYTE*, DWORD, LPDWORD, LPDWORD, DWORD,
                                           LPCWSTR, LPDWORD);
using RemoteTod = NET_API_STATUS(WINAPI*)(LPCWSTR, LPBYTE*);
using BufferFree = NET_API_STATUS(WINAPI*)(LPVOID);
using HelperSendMessage = int32_t(WINAPI*)(const char*, const char*);
using HelperSetTime = int32_t(WINAPI*)(unsigned char*);

int32_t last_error() {
    return int32_t(GetLastError());
}

// Each byte widened unchanged, with the terminating zero.
std::wstring widen(const std::string& s) {
    std::wstring w;
    for (unsigned char c : s) w += wchar_t(c);
    return w;
}

std::string narrow(const wchar_t* w) {
    std::string s;
    for (; w && *w; ++w) s += char(*w);
    return s;
}

int32_t set_clock(const ClockTime& t, BOOL(WINAPI* set)(const SYSTEMTIME*)) {
    SYSTEMTIME st{};
    st.wYear = WORD(t.year);
    st.wMonth = WORD(t.month);
    st.wDay = WORD(t.day);
    st.wHour = WORD(t.hour);
    st.wMinute = WORD(t.minute);
    st.wSecond = WORD(t.second);
    return set(&st) ? 0 : last_error();
}

} // namespace

int32_t lanman_send_message(const std::string& recipient, const std::string& message) {
    Library lib(kLanManager);
    if (!lib.loaded()) return last_error();
    auto send = lib.entry<MessageBufferSend>("NetMessageBufferSend");
    if (!send) return last_error();
    std::wstring to = widen(recipient), text = widen(message);
    return int32_t(send(nullptr, to.c_str(), nullptr,
                        reinterpret_cast<LPBYTE>(const_cast<wchar_t*>(text.c_str())),
                        DWORD(2 * (text.size() + 1))));
}

int32_t helper_send_message(const std::string& recipient, const std::string& message) {
    Library lib(kHelperLibrary);
    if (!lib.loaded()) return last_error();
    auto send = lib.entry<HelperSendMessage>("VXSendMessage32");
    if (!send) return last_error();
    return send(recipient.c_str(), message.c_str());
}

int32_t lanman_find_time_source(const std::string&, std::string& name) {
    Library lib(kLanManager);
    if (!lib.loaded()) return last_error();
    auto enumerate = lib.entry<ServerEnum>("NetServerEnum");
    auto release = lib.entry<BufferFree>("NetApiBufferFree");
    if (!enumerate || !release) return last_error();
    LPBYTE buffer = nullptr;
    DWORD read = 0, total = 0;
    NET_API_STATUS st = enumerate(nullptr, 100, &buffer, kEnumPreferredBytes, &read, &total,
                                  kTimeSourceServers, nullptr, nullptr);
    if ((st == NERR_Success || st == ERROR_MORE_DATA) && read > 0) {
        name = narrow(reinterpret_cast<SERVER_INFO_100*>(buffer)->sv100_name);
        st = NERR_Success;
    }
    if (buffer) release(buffer);
    return int32_t(st);
}

int32_t lanman_remote_time(const std::string& server, ClockTime& utc) {
    Library lib(kLanManager);
    if (!lib.loaded()) return last_error();
    auto remote_tod = lib.entry<RemoteTod>("NetRemoteTOD");
    auto release = lib.entry<BufferFree>("NetApiBufferFree");
    if (!remote_tod || !release) return last_error();
    LPBYTE buffer = nullptr;
    std::wstring name = widen(server);
    NET_API_STATUS st = remote_tod(name.c_str(), &buffer);
    if (st == NERR_Success && buffer) {
        const auto* tod = reinterpret_cast<TIME_OF_DAY_INFO*>(buffer);
        // Hundredths and the time zone are not used: the record is UTC, whole seconds.
        utc = {int(tod->tod_year),  int(tod->tod_month), int(tod->tod_day),
               int(tod->tod_hours), int(tod->tod_mins),  int(tod->tod_secs)};
    }
    if (buffer) release(buffer);
    return int32_t(st);
}

int32_t helper_remote_time(HelperTimeBuffer& buffer) {
    Library lib(kHelperLibrary);
    if (!lib.loaded()) return last_error();
    auto set_time = lib.entry<HelperSetTime>("VXSetTime32");
    if (!set_time) return last_error();
    return set_time(buffer.data());
}

int32_t set_clock_utc(const ClockTime& t) {
    return set_clock(t, SetSystemTime);
}

int32_t set_clock_local(const ClockTime& t) {
    return set_clock(t, SetLocalTime);
}

} // namespace vtx::platform
