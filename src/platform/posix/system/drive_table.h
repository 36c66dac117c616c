// The POSIX drive table: one folder under $XDG_RUNTIME_DIR holding, per mapped drive letter,
// a link `X:` to the share's files (a GVfs FUSE path) and a link `X:.remote` whose target
// text is the remote name the script gave. It lives as long as the user's session, as
// Windows connections do. The one resolver of drive-letter and UNC paths reads it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vtx::platform {

struct DriveEntry {
    std::string device; // "S:"
    std::string remote; // "\\FILES\SALES" as given to USE
    std::string target; // the folder the letter stands for
};

// The table's folder, or "" without XDG_RUNTIME_DIR (then nothing can be mapped).
std::string drive_table_folder();
// The folder where GVfs shows its mounts through FUSE: $XDG_RUNTIME_DIR/gvfs, or "".
std::string gvfs_fuse_folder();

// The entries whose files are reachable, sorted by device; links whose mount is gone are
// left out.
std::vector<DriveEntry> live_drives();
// The live entry of `device` (either case); false when there is none.
bool find_drive(std::string_view device, DriveEntry& out);
// True for `X:`, the only device names the table holds.
bool is_drive_name(std::string_view device);
// Records `device` → `target` with its remote name, replacing a stale entry: 0, 85 when a
// live entry holds the letter (looked at again under the table's lock, so of two scripts
// recording one letter at once the second gets 85), 1200 for a device that is no drive
// letter, 1222 without a runtime folder, 170 when another script holds the table past 10 s,
// or a status.
int32_t record_drive(const std::string& device, const std::string& remote,
                     const std::string& target);
// Forgets `device`: 0, also for a missing entry; 1222 without a runtime folder, 170 as above,
// or the status of a link that could not be removed (the letter then stays).
int32_t forget_drive(const std::string& device);

// `\\server\share` as the GVfs FUSE folder that holds it, when GVfs has it mounted (by USE or
// otherwise); "" when not. Server and share compare without regard to case.
std::string mounted_share_folder(std::string_view server, std::string_view share);
// GVfs FUSE folders of SMB shares as `\\server\share`, for USE LIST's connections without
// a drive letter. Their owners are not looked at (that would ask every mount's server);
// callers that use a folder check it.
struct MountedShare {
    std::string remote;
    std::string folder;
};
std::vector<MountedShare> mounted_shares();
// What a GVfs FUSE folder's name says of the SMB mount it shows; empty keys are not in it.
struct ShareFolderKeys {
    std::string server, share, user, domain, port;
};
bool parse_share_folder(std::string_view name, ShareFolderKeys& keys);
// True when `name`, a GVfs FUSE folder's name, is a mount of \\server\share.
bool is_share_folder_name(std::string_view name, std::string_view server, std::string_view share);

// True when two server names name one computer: equal without regard to case, or a NetBIOS
// name (`DC1`) and a DNS name that starts with it as its first label (`dc1.example.test`).
bool same_server(std::string_view a, std::string_view b);

// Splits `\\server\share` and what follows it (either slash); false when the path does not
// start so.
bool split_unc(std::string_view path, std::string_view& server, std::string_view& share,
               std::string_view& rest);

// What follows a drive or share root with `.` and `..` taken against that root and never
// above it, as Windows resolves them: "/a/b", or "" for the root itself. `climbed` (when
// given) tells whether a `..` had to stop at the root.
std::string below_root(std::string_view rest, bool* climbed = nullptr);

// A script path naming a mapped drive (`S:`, `S:\x`, `S:x`) or a mounted share
// (`\\server\share\x`, either slash) as a POSIX path into the mounted files, with `.` and
// `..` kept below the drive's or share's root: 0 and `out`. A path that starts with two
// separators names the network even when nothing is mounted: 53 when no mounted share is on
// its server, 67 when others are but not its share, and `out` empty. Any other path is
// returned unchanged.
int32_t resolve_network_path(std::string_view path, std::string& out);

} // namespace vtx::platform
