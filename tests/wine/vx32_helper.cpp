// A stand-in for the Windows 95 helper library, for tests under Wine only. It answers
// from fixed data and records every call, one line each ("Entry|argument|argument"), in
// vx32.log in the current folder, so that tests can check what the program passed.
//
// Steered by the environment:
//   VX32_STATUS  a non-zero status that every entry returning one returns instead
//   VX32_ANSWER  a file whose lines replace the fixed VXGetInfo32 answer, one text a line
//   VX32_TIME    "YYYY-MM-DD hh:mm:ss" for VXSetTime32 (default: the current local time,
//                so the program's clock setting changes nothing)
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <windows.h>

namespace {

void log_call(const char* entry, const char* first = nullptr, const char* second = nullptr) {
    char line[1024];
    std::snprintf(line, sizeof line, "%s%s%s%s%s\n", entry, first ? "|" : "", first ? first : "",
                  second ? "|" : "", second ? second : "");
    HANDLE f = CreateFileA("vx32.log", FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(f, line, DWORD(std::strlen(line)), &written, nullptr);
    CloseHandle(f);
}

LONG configured_status() {
    const char* s = std::getenv("VX32_STATUS");
    return s ? LONG(std::atol(s)) : 0;
}

// Appends one zero-terminated text; false when the buffer is full.
bool put(char* buffer, std::size_t& used, const char* text, std::size_t length) {
    const std::size_t size = 64000;
    if (used >= size) return false;
    std::size_t n = length < size - used ? length : size - used;
    std::memcpy(buffer + used, text, n);
    used += n;
    if (used < size) buffer[used++] = '\0';
    return true;
}

bool put_answer_file(char* buffer, const char* path) {
    FILE* f = std::fopen(path, "rb");
    if (!f) return false;
    static char line[70000];
    std::size_t used = 0;
    while (std::fgets(line, sizeof line, f)) {
        std::size_t n = std::strlen(line);
        while (n && (line[n - 1] == '\n' || line[n - 1] == '\r')) --n;
        if (!put(buffer, used, line, n)) break;
    }
    std::fclose(f);
    return true;
}

} // namespace

extern "C" {

__declspec(dllexport) LONG WINAPI VXGetInfo32(char* buffer, LONG* extra) {
    char server[256];
    std::snprintf(server, sizeof server, "%s", buffer);
    log_call("VXGetInfo32", server);
    if (extra) *extra = 1;
    if (LONG status = configured_status()) return status;

    std::memset(buffer, 0, 64000);
    if (const char* path = std::getenv("VX32_ANSWER")) {
        if (!put_answer_file(buffer, path)) return ERROR_FILE_NOT_FOUND;
        return 0;
    }
    const char* texts[] = {"WKS95",
                           "jdoe",
                           "SALES",
                           "SALESDOM",
                           "C:\\LANMAN",
                           "2",
                           "1",
                           server[0] ? server : "\\\\DC95",
                           "Test account",
                           "Jane Doe",
                           "\\\\DC95\\USERS\\JDOE\\DOCS",
                           "2",
                           "12",
                           "42",
                           "3",
                           "Domain Users",
                           "Sales",
                           "Printers"};
    std::size_t used = 0;
    for (const char* t : texts) put(buffer, used, t, std::strlen(t));
    return 0;
}

__declspec(dllexport) LONG WINAPI VXSendMessage32(const char* recipient, const char* message) {
    log_call("VXSendMessage32", recipient, message);
    return configured_status();
}

// Fills the 16-bit LAN manager time-of-day layout: hour, minute, second at 8 to 10; day,
// month at 16 and 17; the year at 18 (little-endian).
__declspec(dllexport) LONG WINAPI VXSetTime32(unsigned char* buffer) {
    char server[256];
    std::snprintf(server, sizeof server, "%s", reinterpret_cast<const char*>(buffer));
    log_call("VXSetTime32", server);
    if (LONG status = configured_status()) return status;
    SYSTEMTIME t;
    GetLocalTime(&t);
    if (const char* s = std::getenv("VX32_TIME")) {
        unsigned y, mo, d, h, mi, se;
        if (std::sscanf(s, "%u-%u-%u %u:%u:%u", &y, &mo, &d, &h, &mi, &se) == 6) {
            t.wYear = WORD(y), t.wMonth = WORD(mo), t.wDay = WORD(d);
            t.wHour = WORD(h), t.wMinute = WORD(mi), t.wSecond = WORD(se);
        }
    }
    std::memset(buffer, 0, 256);
    buffer[8] = BYTE(t.wHour);
    buffer[9] = BYTE(t.wMinute);
    buffer[10] = BYTE(t.wSecond);
    buffer[16] = BYTE(t.wDay);
    buffer[17] = BYTE(t.wMonth);
    buffer[18] = BYTE(t.wYear & 0xFF);
    buffer[19] = BYTE(t.wYear >> 8);
    return 0;
}

__declspec(dllexport) LONG WINAPI VXSoundOn32(LONG frequency) {
    char text[16];
    std::snprintf(text, sizeof text, "%ld", frequency);
    log_call("VXSoundOn32", text);
    return 0;
}

__declspec(dllexport) LONG WINAPI VXSoundOff32() {
    log_call("VXSoundOff32");
    return 0;
}

} // extern "C"
