#include "platform/posix/errno_status.h"

#include <cerrno>
#include <sys/stat.h>

#include "platform/status.h"

namespace vtx::platform {

int32_t status_from_errno(int error, bool missing_is_path) {
    switch (error) {
    case 0: return status::kSuccess;
    case ENOENT: return missing_is_path ? status::kPathNotFound : status::kFileNotFound;
    case ENOTDIR: return status::kPathNotFound;
    case EACCES:
    case EPERM:
    case EROFS: return status::kAccessDenied;
    case EEXIST: return status::kAlreadyExists;
    case ENOTEMPTY: return status::kDirNotEmpty;
    // The other build refuses to open a folder as a file with access denied.
    case EISDIR: return status::kAccessDenied;
    case ENAMETOOLONG: return status::kFilenameTooLong;
    case EMFILE:
    case ENFILE: return status::kTooManyOpenFiles;
    case ENOMEM: return status::kNotEnoughMemory;
    case EBADF: return status::kInvalidHandle;
    // A file held by a mount or a running program is "in use" to a script.
    case EBUSY:
    case ETXTBSY: return status::kSharingViolation;
    case EINVAL: return status::kInvalidParameter;
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return status::kDiskFull;
    case ENOEXEC: return 193; // ERROR_BAD_EXE_FORMAT
    case EPIPE: return status::kBrokenPipe;
    case ENOSYS:
    case ENOTSUP: return status::kNotSupported;
    // No counterpart: a general failure, still non-zero for the script to test.
    default: return status::kInvalidFunction;
    }
}

int32_t status_from_path_errno(int error, const std::string& path) {
    // ENOENT does not say which part is missing; scripts tell a missing file from a missing folder.
    if (error != ENOENT) return status_from_errno(error);
    std::string folder = path;
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    std::size_t slash = folder.rfind('/');
    folder = slash == std::string::npos ? "." : folder.substr(0, slash == 0 ? 1 : slash);
    struct stat st;
    bool folder_exists = ::stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
    return folder_exists ? status::kFileNotFound : status::kPathNotFound;
}

} // namespace vtx::platform
