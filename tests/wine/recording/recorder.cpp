#include "recorder.h"

#include <cstdio>
#include <cstdlib>

namespace rec {

namespace {

HMODULE g_module = nullptr;

// The folder of this library, with a trailing backslash.
std::string home_folder() {
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(g_module, path, sizeof path);
    std::string folder(path, n < sizeof path ? n : 0);
    folder.resize(folder.find_last_of('\\') + 1);
    return folder;
}

std::string fixture_path() {
    return home_folder() + "recorded.ini";
}

} // namespace

Call::~Call() {
    line_ += "\n";
    std::string path = home_folder() + "recorded.log";
    HANDLE f = CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(f, line_.data(), DWORD(line_.size()), &written, nullptr);
    CloseHandle(f);
}

Call& Call::text(const char* s) {
    line_ += '|';
    line_ += s ? s : "(null)";
    return *this;
}

Call& Call::text(const wchar_t* s) {
    return s ? text(narrow(s).c_str()) : text(static_cast<const char*>(nullptr));
}

Call& Call::number(long long n) {
    line_ += '|';
    line_ += std::to_string(n);
    return *this;
}

std::string fixture(const char* section, const char* key, const char* fallback) {
    std::string value(4096, '\0');
    DWORD n = GetPrivateProfileStringA(section, key, fallback, value.data(), DWORD(value.size()),
                                       fixture_path().c_str());
    value.resize(n);
    return value;
}

void set_fixture(const char* section, const char* key, const char* value) {
    WritePrivateProfileStringA(section, key, value, fixture_path().c_str());
}

std::vector<std::string> fixture_keys(const char* section) {
    std::string names(32000, '\0');
    DWORD n = GetPrivateProfileStringA(section, nullptr, "", names.data(), DWORD(names.size()),
                                       fixture_path().c_str());
    std::vector<std::string> keys;
    for (std::size_t at = 0; at < n;) {
        std::string key(names.c_str() + at);
        at += key.size() + 1;
        if (!key.empty()) keys.push_back(key);
    }
    return keys;
}

DWORD forced_status(const char* entry) {
    return DWORD(std::strtoul(fixture("Status", entry, "0").c_str(), nullptr, 10));
}

std::vector<std::string> split_list(const std::string& text) {
    std::vector<std::string> items;
    std::size_t start = 0;
    while (start <= text.size() && !text.empty()) {
        std::size_t end = text.find(',', start);
        if (end == std::string::npos) end = text.size();
        std::string item = text.substr(start, end - start);
        item.erase(0, item.find_first_not_of(' '));
        item.erase(item.find_last_not_of(' ') + 1);
        if (!item.empty()) items.push_back(item);
        start = end + 1;
    }
    return items;
}

bool same_name(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'a' && x <= 'z') x = char(x - 32);
        if (y >= 'a' && y <= 'z') y = char(y - 32);
        if (x != y) return false;
    }
    return true;
}

std::string narrow(const wchar_t* s) {
    std::string out;
    for (; s && *s; ++s) out += *s < 0x100 ? char(*s) : '?';
    return out;
}

std::wstring widen(const std::string& s) {
    std::wstring out;
    for (unsigned char c : s) out += wchar_t(c);
    return out;
}

SYSTEMTIME recorded_time() {
    SYSTEMTIME t;
    GetSystemTime(&t);
    t.wMilliseconds = 0;
    unsigned y, mo, d, h, mi, se;
    std::string now = fixture("Time", "Now");
    if (std::sscanf(now.c_str(), "%u-%u-%u %u:%u:%u", &y, &mo, &d, &h, &mi, &se) == 6) {
        t.wYear = WORD(y), t.wMonth = WORD(mo), t.wDay = WORD(d);
        t.wHour = WORD(h), t.wMinute = WORD(mi), t.wSecond = WORD(se);
    }
    return t;
}

} // namespace rec

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) rec::g_module = module;
    return TRUE;
}
