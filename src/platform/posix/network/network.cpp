#include "platform/network.h"

#include "platform/posix/network/gvfs_mount.h"
#include "platform/posix/runtime_folder.h"
#include "platform/posix/system/drive_table.h"
#include "platform/status.h"

namespace vtx::platform {

namespace {

// Another drive letter still shows files of the mount under `folder`.
bool mount_still_used(const std::string& folder) {
    for (const DriveEntry& d : live_drives())
        if (d.target == folder || d.target.rfind(folder + "/", 0) == 0) return true;
    return false;
}

// The FUSE folder of the mount that holds `target`: $XDG_RUNTIME_DIR/gvfs/<mount>.
std::string mount_folder_of(const std::string& target) {
    std::string root = gvfs_fuse_folder() + "/";
    if (root.size() < 2 || target.rfind(root, 0) != 0) return target;
    return target.substr(0, target.find('/', root.size()));
}

// A connection without a letter is cancelled by its remote name. One GVfs mount serves the
// letters on a share and its letterless connection alike, so while a letter still shows the
// share the mount stays for it.
int32_t cancel_share(const std::string& remote) {
    std::string_view server, share, rest;
    if (!split_unc(remote, server, share, rest) ||
        rest.find_first_not_of("\\/") != std::string_view::npos)
        return status::kNotConnected;
    std::string folder = mounted_share_folder(server, share);
    if (folder.empty()) return status::kNotConnected;
    std::string mount = mount_folder_of(folder);
    return mount_still_used(mount) ? 0 : gvfs_unmount(mount);
}

} // namespace

int32_t add_connection(const std::string& device, const std::string& remote,
                       const std::string* user, const std::string* password) {
    // Printer ports have no place in a file system; other names are no devices at all.
    if (!device.empty() && !is_drive_name(device))
        return device.size() > 3 && device.back() == ':' ? status::kNotSupported
                                                         : status::kBadDevice;
    std::string_view server, share, rest;
    if (remote.rfind("\\\\", 0) != 0 || !split_unc(remote, server, share, rest))
        return status::kBadNetName;
    // A folder above the share is no part of it, whatever the server would allow.
    bool climbed = false;
    std::string below = below_root(rest, &climbed);
    if (climbed) return status::kBadNetName;
    // Without the runtime folder nothing mounted could be found again: mount nothing.
    if (drive_table_folder().empty()) return status::kNoNetwork;
    DriveEntry old;
    if (!device.empty() && find_drive(device, old)) return status::kAlreadyAssigned;
    bool was_mounted = !mounted_share_folder(server, share).empty();
    std::string folder;
    int32_t st = gvfs_mount(std::string(server), std::string(share), user, password, folder);
    if (st != 0) return st;
    if (device.empty()) return 0; // a connection without a letter: \\server\share resolves
    st = record_drive(device, remote, folder + below);
    // Another script took the letter meanwhile (85), or it could not be recorded: a mount
    // made for it alone goes again.
    std::string mount = mount_folder_of(folder);
    if (st != 0 && !was_mounted && !mount_still_used(mount)) gvfs_unmount(mount);
    return st;
}

int32_t cancel_connection(const std::string& device) {
    if (!is_drive_name(device)) return cancel_share(device);
    DriveEntry d;
    if (!find_drive(device, d)) {
        int32_t st = forget_drive(device); // a stale link of a mount that is gone
        return st == status::kNoNetwork ? st : status::kNotConnected;
    }
    // A link that stays keeps the letter: then nothing is unmounted and the failure told.
    if (int32_t st = forget_drive(device)) return st;
    std::string mount = mount_folder_of(d.target);
    if (mount_still_used(mount)) return 0;
    int32_t st = gvfs_unmount(mount);
    // Keep the letter while its mount stays: the connection is not cancelled.
    if (st != 0) record_drive(d.device, d.remote, d.target);
    return st;
}

int32_t list_connections(std::vector<Connection>& out, bool& opened) {
    out.clear();
    opened = true;
    std::vector<DriveEntry> drives = live_drives();
    for (const DriveEntry& d : drives) out.push_back({d.device, d.remote});
    // Shares GVfs holds without a letter are connections without a device, as on Windows.
    for (const MountedShare& m : mounted_shares()) {
        bool lettered = false;
        for (const DriveEntry& d : drives)
            lettered = lettered || mount_folder_of(d.target) == m.folder;
        if (!lettered && owned_by_user(m.folder)) out.push_back({"", m.remote});
    }
    // An empty list is 259, as Windows' enumeration reports it; USE LIST says so from that.
    return out.empty() ? status::kNoMoreItems : 0;
}

bool logon_share_mounted(const std::string& logon_drive) {
    std::string native;
    return !logon_drive.empty() && resolve_network_path(logon_drive, native) == 0 &&
           // Resolving changes a path only when a mounted share holds it.
           native != logon_drive;
}

} // namespace vtx::platform
