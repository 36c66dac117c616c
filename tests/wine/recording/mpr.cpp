// Recording stand-in for MPR.DLL: the network provider calls the program imports. The
// connection table lives in the fixture, so a listing shows what earlier calls made, even
// from an earlier run. See recorder.h for the fixture and the log.
//
// Fixture keys:
//   [Shares] \\SERVER\SHARE=status: the shares that exist, with the status connecting to each
//            gives (0 to connect); other shares of a listed server give 67, other servers 53
//   [Connections] DEVICE=\\SERVER\SHARE: the devices connected now
//   [User] Name: the user WNetGetUserA reports
//   [Status] any entry name: a status it returns instead of answering
#include <cstring>
#include <string>

#include <windows.h>

#include <winnetwk.h>

#include "recorder.h"

namespace {

// Every provider call leaves its status as the thread's last error, too.
DWORD finish(DWORD status) {
    SetLastError(status);
    return status;
}

// 0 when the share exists and may be connected, else the status that says why not.
DWORD share_status(const std::string& remote) {
    std::string server = remote.substr(0, remote.find('\\', 2));
    bool server_known = false;
    for (const std::string& share : rec::fixture_keys("Shares")) {
        if (rec::same_name(share, remote))
            return DWORD(std::strtoul(rec::fixture("Shares", share.c_str()).c_str(), nullptr, 10));
        if (rec::same_name(share.substr(0, share.find('\\', 2)), server)) server_known = true;
    }
    return server_known ? ERROR_BAD_NET_NAME : ERROR_BAD_NETPATH;
}

// The enumerations open now; each numbered in opening order for the log.
struct Enumeration {
    int number;
    bool done;
};
int g_opened = 0;

} // namespace

extern "C" {

DWORD WINAPI record_WNetAddConnection2A(LPNETRESOURCEA resource, LPCSTR password, LPCSTR user,
                                        DWORD flags) {
    rec::Call("WNetAddConnection2A")
        .number(resource->dwType)
        .text(resource->lpLocalName)
        .text(resource->lpRemoteName)
        .text(resource->lpProvider)
        .text(password)
        .text(user)
        .number(flags);
    if (DWORD st = rec::forced_status("WNetAddConnection2A")) return finish(st);
    std::string remote = resource->lpRemoteName ? resource->lpRemoteName : "";
    if (DWORD st = share_status(remote)) return finish(st);
    const char* device = resource->lpLocalName;
    if (device && *device) {
        if (!rec::fixture("Connections", device).empty()) return finish(ERROR_ALREADY_ASSIGNED);
        rec::set_fixture("Connections", device, remote.c_str());
    }
    return finish(NO_ERROR);
}

DWORD WINAPI record_WNetCancelConnection2A(LPCSTR name, DWORD flags, BOOL force) {
    rec::Call("WNetCancelConnection2A").text(name).number(flags).number(force);
    if (DWORD st = rec::forced_status("WNetCancelConnection2A")) return finish(st);
    if (!name || rec::fixture("Connections", name).empty()) return finish(ERROR_NOT_CONNECTED);
    rec::set_fixture("Connections", name, nullptr);
    return finish(NO_ERROR);
}

DWORD WINAPI record_WNetOpenEnumA(DWORD scope, DWORD type, DWORD usage, LPNETRESOURCEA container,
                                  LPHANDLE handle) {
    rec::Call("WNetOpenEnumA")
        .number(scope)
        .number(type)
        .number(usage)
        .text(container ? "container" : nullptr);
    if (DWORD st = rec::forced_status("WNetOpenEnumA")) return finish(st);
    *handle = new Enumeration{++g_opened, false};
    return finish(NO_ERROR);
}

// All connections in the first call when they fit, then "no more items".
DWORD WINAPI record_WNetEnumResourceA(HANDLE handle, LPDWORD count, LPVOID buffer, LPDWORD size) {
    auto* list = static_cast<Enumeration*>(handle);
    rec::Call("WNetEnumResourceA").number(list->number).number(long(*count)).number(*size);
    if (DWORD st = rec::forced_status("WNetEnumResourceA")) return finish(st);
    if (list->done) return finish(ERROR_NO_MORE_ITEMS);
    std::vector<std::string> devices = rec::fixture_keys("Connections");
    if (devices.empty()) return finish(ERROR_NO_MORE_ITEMS);
    std::size_t records = devices.size() * sizeof(NETRESOURCEA);
    std::size_t texts = records;
    auto* out = static_cast<NETRESOURCEA*>(buffer);
    auto* bytes = static_cast<char*>(buffer);
    auto put = [&](const std::string& s) {
        if (texts + s.size() + 1 > *size) return static_cast<char*>(nullptr);
        char* at = bytes + texts;
        std::memcpy(at, s.c_str(), s.size() + 1);
        texts += s.size() + 1;
        return at;
    };
    if (records > *size) return finish(ERROR_MORE_DATA);
    for (std::size_t i = 0; i < devices.size(); ++i) {
        NETRESOURCEA& r = out[i];
        r = NETRESOURCEA{};
        r.dwScope = RESOURCE_CONNECTED;
        r.dwType = RESOURCETYPE_DISK;
        r.lpLocalName = put(devices[i]);
        r.lpRemoteName = put(rec::fixture("Connections", devices[i].c_str()));
        if (!r.lpLocalName || !r.lpRemoteName) return finish(ERROR_MORE_DATA);
    }
    *count = DWORD(devices.size());
    list->done = true;
    return finish(NO_ERROR);
}

DWORD WINAPI record_WNetCloseEnum(HANDLE handle) {
    auto* list = static_cast<Enumeration*>(handle);
    if (!list) {
        rec::Call("WNetCloseEnum").text("(none)");
        return finish(ERROR_INVALID_HANDLE);
    }
    rec::Call("WNetCloseEnum").number(list->number);
    delete list;
    return finish(NO_ERROR);
}

DWORD WINAPI record_WNetGetUserA(LPCSTR name, LPSTR user, LPDWORD size) {
    rec::Call("WNetGetUserA").text(name).number(*size);
    if (DWORD st = rec::forced_status("WNetGetUserA")) return finish(st);
    std::string answer = rec::fixture("User", "Name");
    if (answer.size() + 1 > *size) {
        *size = DWORD(answer.size() + 1);
        return finish(ERROR_MORE_DATA);
    }
    std::memcpy(user, answer.c_str(), answer.size() + 1);
    return finish(NO_ERROR);
}

} // extern "C"
