#include "platform/files.h"

#include <windows.h>

// The C runtime must not expand wildcards in script arguments.
extern "C" {
int _dowildcard = 0;
}

namespace vtx::platform {

bool path_exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

FileKind file_kind(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return FileKind::missing;
    return attributes & FILE_ATTRIBUTE_DIRECTORY ? FileKind::folder : FileKind::regular;
}

int32_t replace_file(const std::string& from, const std::string& to) {
    if (MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING)) return 0;
    DWORD error = GetLastError();
    if (error != ERROR_CALL_NOT_IMPLEMENTED) return int32_t(error);
    // The 9x line has no replacing rename: the old file goes first.
    if (!DeleteFileA(to.c_str()) && GetLastError() != ERROR_FILE_NOT_FOUND)
        return int32_t(GetLastError());
    return MoveFileA(from.c_str(), to.c_str()) ? 0 : int32_t(GetLastError());
}

int32_t read_file(const std::string& path, std::string& out, std::size_t limit) {
    out.clear();
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return int32_t(GetLastError());
    char buf[65536];
    int32_t result = 0;
    while (out.size() < limit) {
        DWORD want = DWORD(limit - out.size() < sizeof buf ? limit - out.size() : sizeof buf);
        DWORD got = 0;
        if (!ReadFile(h, buf, want, &got, nullptr)) {
            result = int32_t(GetLastError());
            break;
        }
        if (got == 0) break;
        out.append(buf, got);
    }
    CloseHandle(h);
    return result;
}

int32_t open_for_write(const std::string& path, bool truncate, FileHandle& out) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           truncate ? CREATE_ALWAYS : OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        out = kNoFile;
        return int32_t(GetLastError());
    }
    if (!truncate) SetFilePointer(h, 0, nullptr, FILE_END);
    out = FileHandle(h);
    return 0;
}

int32_t write_file(FileHandle f, std::string_view bytes) {
    DWORD written = 0;
    if (!WriteFile(HANDLE(f), bytes.data(), DWORD(bytes.size()), &written, nullptr))
        return int32_t(GetLastError());
    return 0;
}

void close_file(FileHandle f) {
    if (f != kNoFile) CloseHandle(HANDLE(f));
}

int32_t open_for_read_shared(const std::string& path, FileHandle& out) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        out = kNoFile;
        return int32_t(GetLastError());
    }
    out = FileHandle(h);
    return 0;
}

int32_t file_size(FileHandle f, uint64_t& size) {
    DWORD high = 0;
    SetLastError(NO_ERROR); // a size whose low half is all ones is not a failure
    DWORD low = GetFileSize(HANDLE(f), &high);
    if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) return int32_t(GetLastError());
    size = (uint64_t(high) << 32) | low;
    return 0;
}

int32_t delete_file(const std::string& path) {
    return DeleteFileA(path.c_str()) ? 0 : int32_t(GetLastError());
}

// --- Folders and files of the file commands ---

int32_t create_directory(const std::string& path) {
    return CreateDirectoryA(path.c_str(), nullptr) ? 0 : int32_t(GetLastError());
}

int32_t set_current_directory(const std::string& path) {
    return SetCurrentDirectoryA(path.c_str()) ? 0 : int32_t(GetLastError());
}

int32_t open_for_read(const std::string& path, FileHandle& out) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    out = h == INVALID_HANDLE_VALUE ? kNoFile : FileHandle(h);
    return h == INVALID_HANDLE_VALUE ? int32_t(GetLastError()) : 0;
}

int32_t read_bytes(FileHandle f, char* buffer, std::size_t size, std::size_t& got) {
    DWORD n = 0;
    BOOL ok = ReadFile(HANDLE(f), buffer, DWORD(size), &n, nullptr);
    got = ok ? n : 0;
    return ok ? 0 : int32_t(GetLastError());
}

// --- end of the file commands' block ---

int32_t change_drive(char letter) {
    char drive[3] = {char(letter >= 'a' && letter <= 'z' ? letter - 32 : letter), ':', 0};
    return SetCurrentDirectoryA(drive) ? 0 : int32_t(GetLastError());
}

int32_t resolve_path(std::string_view path, std::string& native) {
    native = path;
    return 0;
}

std::string native_path(std::string_view path) {
    return std::string(path);
}

} // namespace vtx::platform
