#include "platform/posix/runtime_folder.h"

#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/diagnostics.h"

namespace vtx::platform {

namespace {

// Why a folder that exists cannot hold the session's state, or "" when it can.
std::string distrust(const struct stat& st) {
    if (!S_ISDIR(st.st_mode)) return "is not a folder";
    if (st.st_uid != ::geteuid()) return "belongs to user " + std::to_string(st.st_uid);
    if ((st.st_mode & 07777) != 0700) {
        char mode[8];
        std::snprintf(mode, sizeof mode, "%04o", unsigned(st.st_mode & 07777));
        return std::string("has mode ") + mode + ", not 0700";
    }
    return "";
}

} // namespace

std::string trusted_runtime_folder() {
    const char* dir = std::getenv("XDG_RUNTIME_DIR");
    if (!dir || *dir != '/') return "";
    struct stat st;
    if (::stat(dir, &st) != 0) return "";
    std::string why = distrust(st);
    if (why.empty()) return dir;
    // Said once: every back-end asks for the folder.
    static bool told = false;
    if (!told) {
        told = true;
        error_write("vtx32: not using the runtime folder " + std::string(dir) + ": it " + why +
                    "\n");
    }
    return "";
}

bool owned_by_user(const std::string& path) {
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0 && st.st_uid == ::geteuid();
}

} // namespace vtx::platform
