// Status numbers returned by every platform operation: Win32 numbers on both builds,
// because scripts read them through @ERROR.
#pragma once

#include <cstdint>

namespace vtx::status {

inline constexpr int32_t kSuccess = 0;
inline constexpr int32_t kInvalidFunction = 1;
inline constexpr int32_t kFileNotFound = 2;
inline constexpr int32_t kPathNotFound = 3;
inline constexpr int32_t kTooManyOpenFiles = 4;
inline constexpr int32_t kAccessDenied = 5;
inline constexpr int32_t kInvalidHandle = 6;
inline constexpr int32_t kNotEnoughMemory = 8;
inline constexpr int32_t kInvalidData = 13;
inline constexpr int32_t kOutOfMemory = 14;
inline constexpr int32_t kInvalidDrive = 15;
inline constexpr int32_t kSharingViolation = 32;
inline constexpr int32_t kHandleEof = 38;
inline constexpr int32_t kNotSupported = 50;
inline constexpr int32_t kBadNetPath = 53;
inline constexpr int32_t kFileExists = 80;
inline constexpr int32_t kInvalidParameter = 87;
inline constexpr int32_t kBrokenPipe = 109;
inline constexpr int32_t kInsufficientBuffer = 122;
inline constexpr int32_t kInvalidName = 123;
inline constexpr int32_t kDirNotEmpty = 145;
inline constexpr int32_t kBadPathname = 161;
inline constexpr int32_t kAlreadyExists = 183;
inline constexpr int32_t kFilenameTooLong = 206;
inline constexpr int32_t kMoreData = 234;
inline constexpr int32_t kNoMoreItems = 259;
inline constexpr int32_t kDirectory = 267;
inline constexpr int32_t kBadDevice = 1200;
inline constexpr int32_t kNotConnected = 2250;
inline constexpr int32_t kUserNotFound = 2221;  // NERR_UserNotFound
inline constexpr int32_t kHostNotFound = 11001; // WSAHOST_NOT_FOUND
inline constexpr int32_t kBadNetName = 67;
inline constexpr int32_t kAlreadyAssigned = 85; // the local device is connected already
inline constexpr int32_t kNoNetwork = 1222;
inline constexpr int32_t kDeviceInUse = 2404;
inline constexpr int32_t kLogonFailure = 1326;
inline constexpr int32_t kDiskFull = 112;
inline constexpr int32_t kBusy = 170;
inline constexpr int32_t kRegistryCorrupt = 1015;
inline constexpr int32_t kRegistryIoFailed = 1016;
inline constexpr int32_t kKeyDeleted = 1018;
inline constexpr int32_t kBadFormat = 1010; // ERROR_BADKEY: a key path with no usable root
inline constexpr int32_t kPrivilegeNotHeld = 1314;
inline constexpr int32_t kCallNotImplemented = 120;
inline constexpr int32_t kModuleNotFound = 126;    // a library (or tool) not installed
inline constexpr int32_t kServiceNotActive = 1062; // no bus, or nobody owns the service
inline constexpr int32_t kShutdownInProgress = 1115;
inline constexpr int32_t kNoSuchLogonSession = 1312;
inline constexpr int32_t kTimeout = 1460;            // ERROR_TIMEOUT
inline constexpr int32_t kNoSuchDomain = 1355;       // ERROR_NO_SUCH_DOMAIN
inline constexpr int32_t kNameNotFound = 2273;       // NERR_NameNotFound: no such message alias
inline constexpr int32_t kSpoolerUnavailable = 1722; // RPC_S_SERVER_UNAVAILABLE
inline constexpr int32_t kInvalidPrinterName = 1801;

} // namespace vtx::status
