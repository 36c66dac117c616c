#include "platform/posix/system/drive_table.h"

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/posix/descriptor_io.h"
#include "platform/posix/errno_status.h"
#include "platform/posix/runtime_folder.h"
#include "platform/posix/uri.h"
#include "platform/status.h"
#include "platform/text_rules.h"

namespace vtx::platform {

// Only `X:` names an entry: a device text never reaches the file system as a path.
bool is_drive_name(std::string_view device) {
    char c = device.size() == 2 ? device[0] : 0;
    return ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) && device[1] == ':';
}

// A server named by its NetBIOS name (`DC1`, as @LSERVER gives it) is the one named by a DNS
// name with that first label (`dc1.example.test`, as Kerberos mounts need it).
bool same_server(std::string_view a, std::string_view b) {
    if (equal_nocase(a, b)) return true;
    bool a_dotted = a.find('.') != std::string_view::npos;
    bool b_dotted = b.find('.') != std::string_view::npos;
    if (a_dotted == b_dotted) return false;
    return equal_nocase(a.substr(0, a.find('.')), b.substr(0, b.find('.')));
}

namespace {

constexpr std::string_view kRemoteSuffix = ".remote";

std::vector<DriveEntry> drive_entries();

// The text of a link the user made; "" for anything else, which another user may have put
// there.
std::string read_link(const std::string& path) {
    if (!owned_by_user(path)) return "";
    char buf[4096];
    ssize_t n = ::readlink(path.c_str(), buf, sizeof buf);
    return n > 0 ? std::string(buf, std::size_t(n)) : std::string();
}

// A mount that is gone leaves a link to nothing (or a FUSE folder that answers ENOTCONN).
// A FUSE folder busy with another mount, or one just unmounted, can answer EIO for a moment:
// asked again it shows whether the mount is there (the folder) or gone (ENOENT).
bool is_live_folder(const std::string& path) {
    struct stat st;
    for (int tries = 0;; ++tries) {
        if (::stat(path.c_str(), &st) == 0) return S_ISDIR(st.st_mode);
        // Twenty looks 50 ms apart: a second, longer than a busy folder answers EIO.
        if ((errno != EIO && errno != EINTR && errno != EAGAIN) || tries == 20) return false;
        ::usleep(50 * 1000); // no event says when a FUSE folder stops answering EIO
    }
}

// The remote name's server and share, to find a drive mapped to the same share.
bool same_share(std::string_view remote, std::string_view server, std::string_view share) {
    std::string_view s, x, rest;
    if (!split_unc(remote, s, x, rest)) return false;
    bool whole = rest.find_first_not_of("\\/") == std::string_view::npos;
    return whole && same_server(s, server) && equal_nocase(x, share);
}

bool is_separator(char c) {
    return c == '\\' || c == '/';
}

// True when some mapped letter or mounted share is on `server`: its name was found, the
// share was not.
bool server_known(std::string_view server) {
    std::string_view s, x, rest;
    for (const DriveEntry& d : drive_entries())
        if (split_unc(d.remote, s, x, rest) && same_server(s, server)) return true;
    for (const MountedShare& m : mounted_shares())
        if (split_unc(m.remote, s, x, rest) && same_server(s, server)) return true;
    return false;
}

} // namespace

bool split_unc(std::string_view path, std::string_view& server, std::string_view& share,
               std::string_view& rest) {
    if (path.size() < 2 || !is_separator(path[0]) || !is_separator(path[1])) return false;
    std::size_t s = 2, e = s;
    while (e < path.size() && !is_separator(path[e])) ++e;
    if (e == s || e >= path.size()) return false;
    std::size_t t = e + 1, u = t;
    while (u < path.size() && !is_separator(path[u])) ++u;
    if (u == t) return false;
    server = path.substr(s, e - s);
    share = path.substr(t, u - t);
    rest = path.substr(u);
    return true;
}

std::string drive_table_folder() {
    std::string rt = trusted_runtime_folder();
    return rt.empty() ? rt : rt + "/vtx32-drives";
}

std::string gvfs_fuse_folder() {
    std::string rt = trusted_runtime_folder();
    return rt.empty() ? rt : rt + "/gvfs";
}

namespace {

// Every entry of the table, live or not, sorted by device.
std::vector<DriveEntry> drive_entries() {
    std::vector<DriveEntry> out;
    std::string folder = drive_table_folder();
    DIR* d = folder.empty() || !owned_by_user(folder) ? nullptr : ::opendir(folder.c_str());
    if (!d) return out;
    while (dirent* e = ::readdir(d)) {
        std::string name = e->d_name;
        if (!is_drive_name(name)) continue;
        DriveEntry entry{name, read_link(folder + "/" + name + std::string(kRemoteSuffix)),
                         read_link(folder + "/" + name)};
        if (!entry.target.empty()) out.push_back(entry);
    }
    ::closedir(d);
    std::sort(out.begin(), out.end(),
              [](const DriveEntry& a, const DriveEntry& b) { return a.device < b.device; });
    return out;
}

} // namespace

std::vector<DriveEntry> live_drives() {
    std::vector<DriveEntry> out = drive_entries();
    std::erase_if(out, [](const DriveEntry& d) { return !is_live_folder(d.target); });
    return out;
}

bool find_drive(std::string_view device, DriveEntry& out) {
    std::string folder = drive_table_folder();
    if (folder.empty() || !is_drive_name(device) || !owned_by_user(folder)) return false;
    std::string link = folder + "/" + upper_copy(device);
    out = {upper_copy(device), read_link(link + std::string(kRemoteSuffix)), read_link(link)};
    return !out.target.empty() && is_live_folder(out.target);
}

namespace {

// Holds the table's lock while alive, so that changes from scripts running at once are made
// one after another. A holder keeps it only while links are read and written, never across
// a mount; a wait for it ends when a holder closes the folder (inotify tells), or at the
// deadline.
class TableLock {
  public:
    explicit TableLock(const std::string& folder)
        : fd_(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC)) {
        if (fd_ >= 0 && !try_lock()) wait(folder);
    }
    ~TableLock() {
        if (fd_ >= 0) ::close(fd_); // closing releases the lock
    }
    TableLock(const TableLock&) = delete;
    TableLock& operator=(const TableLock&) = delete;
    // False when another script held the table past the deadline. A folder that cannot be
    // opened is not waited for: the change itself then fails.
    bool held() const { return fd_ < 0 || held_; }

  private:
    static constexpr long long kWaitMs = 10000;

    bool try_lock() { return held_ = ::flock(fd_, LOCK_EX | LOCK_NB) == 0; }

    void wait(const std::string& folder) {
        int watch = ::inotify_init1(IN_CLOEXEC);
        if (watch < 0) return;
        long long deadline = monotonic_ms() + kWaitMs;
        // Watched first, then tried again: a release between the two is not missed.
        if (::inotify_add_watch(watch, folder.c_str(), IN_CLOSE_NOWRITE) >= 0) {
            while (!try_lock()) {
                long long left = deadline - monotonic_ms();
                pollfd p{watch, POLLIN, 0};
                if (left <= 0) break;
                int n = ::poll(&p, 1, int(left));
                if (n < 0 && errno != EINTR) break;
                char events[4096];
                if (n > 0 && ::read(watch, events, sizeof events) < 0 && errno != EINTR) break;
            }
        }
        ::close(watch);
    }

    int fd_;
    bool held_ = false;
};

// Removes both links of `device`: 0 also when there were none, or why one stays.
int32_t unlink_entry(const std::string& folder, const std::string& device) {
    std::string link = folder + "/" + upper_copy(device);
    int32_t st = 0;
    for (const std::string& name : {link + std::string(kRemoteSuffix), link})
        if (::unlink(name.c_str()) != 0 && errno != ENOENT && st == 0)
            st = status_from_errno(errno);
    return st;
}

} // namespace

int32_t record_drive(const std::string& device, const std::string& remote,
                     const std::string& target) {
    std::string folder = drive_table_folder();
    if (folder.empty()) return status::kNoNetwork;
    if (!is_drive_name(device)) return status::kBadDevice;
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return status_from_errno(errno);
    if (!owned_by_user(folder)) return status::kNoNetwork;
    TableLock lock(folder);
    // 170, Windows' answer for a resource another holds.
    if (!lock.held()) return status::kBusy;
    // Another script may have taken the letter since it was looked up.
    DriveEntry taken;
    if (find_drive(device, taken)) return status::kAlreadyAssigned;
    if (int32_t st = unlink_entry(folder, device)) return st; // a stale entry
    std::string link = folder + "/" + upper_copy(device);
    // The remote link first: a letter is only seen with its remote name in place.
    if (::symlink(remote.c_str(), (link + std::string(kRemoteSuffix)).c_str()) != 0 ||
        ::symlink(target.c_str(), link.c_str()) != 0) {
        int32_t st = status_from_errno(errno);
        unlink_entry(folder, device);
        return st;
    }
    return 0;
}

int32_t forget_drive(const std::string& device) {
    std::string folder = drive_table_folder();
    if (folder.empty()) return status::kNoNetwork;
    if (!is_drive_name(device) || !owned_by_user(folder)) return 0;
    TableLock lock(folder);
    return lock.held() ? unlink_entry(folder, device) : status::kBusy;
}

std::vector<MountedShare> mounted_shares() {
    std::vector<MountedShare> out;
    std::string folder = gvfs_fuse_folder();
    DIR* d = folder.empty() || !owned_by_user(folder) ? nullptr : ::opendir(folder.c_str());
    if (!d) return out;
    while (dirent* e = ::readdir(d)) {
        ShareFolderKeys keys;
        if (!parse_share_folder(e->d_name, keys)) continue;
        out.push_back({"\\\\" + keys.server + "\\" + keys.share, folder + "/" + e->d_name});
    }
    ::closedir(d);
    std::sort(out.begin(), out.end(),
              [](const MountedShare& a, const MountedShare& b) { return a.remote < b.remote; });
    return out;
}

// GVfs names an SMB share's FUSE folder `smb-share:server=S,share=X` with further keys
// (user, domain, port) in any order, escaped. False for any other kind of mount.
bool parse_share_folder(std::string_view name, ShareFolderKeys& keys) {
    constexpr std::string_view kKind = "smb-share:";
    if (name.substr(0, kKind.size()) != kKind) return false;
    keys = {};
    std::string_view rest = name.substr(kKind.size());
    while (!rest.empty()) {
        std::size_t comma = rest.find(',');
        std::string_view item = rest.substr(0, comma);
        std::size_t eq = item.find('=');
        std::string_view key = item.substr(0, eq);
        std::string value = eq == std::string_view::npos ? "" : uri_decoded(item.substr(eq + 1));
        if (key == "server") keys.server = value;
        if (key == "share") keys.share = value;
        if (key == "user") keys.user = value;
        if (key == "domain") keys.domain = value;
        if (key == "port") keys.port = value;
        rest.remove_prefix(comma == std::string_view::npos ? rest.size() : comma + 1);
    }
    return !keys.server.empty() && !keys.share.empty();
}

bool is_share_folder_name(std::string_view name, std::string_view server, std::string_view share) {
    ShareFolderKeys keys;
    return parse_share_folder(name, keys) && same_server(keys.server, server) &&
           equal_nocase(keys.share, share);
}

std::string mounted_share_folder(std::string_view server, std::string_view share) {
    // A share mapped to a letter is found through its link, which names the very mount USE
    // made even when GVfs holds the share twice (as two users).
    for (const DriveEntry& d : drive_entries())
        if (same_share(d.remote, server, share) && is_live_folder(d.target)) return d.target;
    for (const MountedShare& m : mounted_shares())
        if (same_share(m.remote, server, share) && owned_by_user(m.folder) &&
            is_live_folder(m.folder))
            return m.folder;
    return "";
}

std::string below_root(std::string_view rest, bool* climbed) {
    std::string out;
    if (climbed) *climbed = false;
    while (!rest.empty()) {
        std::size_t end = 0;
        while (end < rest.size() && !is_separator(rest[end])) ++end;
        std::string_view part = rest.substr(0, end);
        rest.remove_prefix(end < rest.size() ? end + 1 : end);
        if (part.empty() || part == ".") continue;
        if (part != "..") {
            out += "/";
            out += part;
        } else if (out.empty()) {
            if (climbed) *climbed = true;
        } else {
            out.erase(out.rfind('/'));
        }
    }
    return out;
}

int32_t resolve_network_path(std::string_view path, std::string& out) {
    out.clear();
    if (path.size() >= 2 && path[1] == ':') {
        DriveEntry d;
        if (!find_drive(path.substr(0, 2), d)) {
            out = path;
            return 0;
        }
        out = d.target + below_root(path.substr(2));
        return 0;
    }
    if (path.size() < 2 || !is_separator(path[0]) || !is_separator(path[1])) {
        out = path;
        return 0;
    }
    // Two separators start a network name, never a local path, whether it is mounted or not.
    std::string_view server, share, rest;
    if (!split_unc(path, server, share, rest)) {
        std::string_view name = path.substr(2);
        name = name.substr(0, std::min(name.find('\\'), name.find('/')));
        return !name.empty() && server_known(name) ? status::kBadNetName : status::kBadNetPath;
    }
    std::string folder = mounted_share_folder(server, share);
    if (folder.empty()) return server_known(server) ? status::kBadNetName : status::kBadNetPath;
    out = folder + below_root(rest);
    return 0;
}

} // namespace vtx::platform
