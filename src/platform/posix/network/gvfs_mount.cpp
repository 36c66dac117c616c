#include "platform/posix/network/gvfs_mount.h"

#include <cerrno>
#include <cstdlib>
#include <dirent.h>
#include <functional>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "platform/fuzzing.h"
#include "platform/posix/descriptor_io.h"
#include "platform/posix/limited_child.h"
#include "platform/posix/network/mount_status.h"
#include "platform/posix/shared_library.h"
#include "platform/posix/system/drive_table.h"
#include "platform/posix/uri.h"
#include "platform/status.h"

namespace vtx::platform {

namespace {

// The few GIO entry points used, declared here so that building needs no GLib headers.
struct GError {
    uint32_t domain;
    int code;
    char* message;
};
using Ptr = void*;
using AsyncCallback = void (*)(Ptr source, Ptr result, Ptr data);
struct GList {
    Ptr data;
    GList* next;
    GList* prev;
};

struct Gio {
    Ptr (*file_new_for_uri)(const char*);
    char* (*file_get_path)(Ptr);
    void (*file_mount_enclosing_volume)(Ptr, int, Ptr, Ptr, AsyncCallback, Ptr);
    int (*file_mount_enclosing_volume_finish)(Ptr, Ptr, GError**);
    void (*mount_unmount_with_operation)(Ptr, int, Ptr, Ptr, AsyncCallback, Ptr);
    int (*mount_unmount_with_operation_finish)(Ptr, Ptr, GError**);
    Ptr (*file_find_enclosing_mount)(Ptr, Ptr, GError**);
    Ptr (*volume_monitor_get)();
    Ptr (*volume_monitor_get_mounts)(Ptr);
    Ptr (*mount_get_root)(Ptr);
    Ptr (*mount_operation_new)();
    void (*mount_operation_set_username)(Ptr, const char*);
    void (*mount_operation_set_password)(Ptr, const char*);
    void (*mount_operation_set_domain)(Ptr, const char*);
    void (*mount_operation_set_anonymous)(Ptr, int);
    void (*mount_operation_reply)(Ptr, int);
    unsigned long (*signal_connect_data)(Ptr, const char*, Ptr, Ptr, Ptr, int);
    Ptr (*cancellable_new)();
    void (*cancellable_cancel)(Ptr);
    unsigned (*timeout_add_seconds)(unsigned, int (*)(Ptr), Ptr);
    int (*main_context_iteration)(Ptr, int);
    uint32_t (*io_error_quark)();
    void (*error_free)(GError*);
    void (*free)(Ptr);
};

constexpr int kReplyHandled = 0, kReplyAborted = 1; // GMountOperationResult
constexpr int kAskAnonymousSupported = 1 << 4;      // GAskPasswordFlags
constexpr int kUnmountForce = 1;                    // GMountUnmountFlags

// Loaded in the child only, so the program itself never carries GIO's threads.
bool load_gio(Gio& g) {
    static const SharedLibrary lib("libgio-2.0.so.0");
    return lib.bind(g.file_new_for_uri, "g_file_new_for_uri") &&
           lib.bind(g.file_get_path, "g_file_get_path") &&
           lib.bind(g.file_mount_enclosing_volume, "g_file_mount_enclosing_volume") &&
           lib.bind(g.file_mount_enclosing_volume_finish, "g_file_mount_enclosing_volume_finish") &&
           lib.bind(g.mount_unmount_with_operation, "g_mount_unmount_with_operation") &&
           lib.bind(g.mount_unmount_with_operation_finish,
                    "g_mount_unmount_with_operation_finish") &&
           lib.bind(g.file_find_enclosing_mount, "g_file_find_enclosing_mount") &&
           lib.bind(g.volume_monitor_get, "g_volume_monitor_get") &&
           lib.bind(g.volume_monitor_get_mounts, "g_volume_monitor_get_mounts") &&
           lib.bind(g.mount_get_root, "g_mount_get_root") &&
           lib.bind(g.mount_operation_new, "g_mount_operation_new") &&
           lib.bind(g.mount_operation_set_username, "g_mount_operation_set_username") &&
           lib.bind(g.mount_operation_set_password, "g_mount_operation_set_password") &&
           lib.bind(g.mount_operation_set_domain, "g_mount_operation_set_domain") &&
           lib.bind(g.mount_operation_set_anonymous, "g_mount_operation_set_anonymous") &&
           lib.bind(g.mount_operation_reply, "g_mount_operation_reply") &&
           lib.bind(g.signal_connect_data, "g_signal_connect_data") &&
           lib.bind(g.cancellable_new, "g_cancellable_new") &&
           lib.bind(g.cancellable_cancel, "g_cancellable_cancel") &&
           lib.bind(g.timeout_add_seconds, "g_timeout_add_seconds") &&
           lib.bind(g.main_context_iteration, "g_main_context_iteration") &&
           lib.bind(g.io_error_quark, "g_io_error_quark") &&
           lib.bind(g.error_free, "g_error_free") && lib.bind(g.free, "g_free");
}

// One asynchronous GIO call driven to its end or to the deadline, which cancels it.
struct Pending {
    Gio* gio;
    Ptr cancellable;
    // Runs inside the completion callback: the result object lives only as long as that.
    std::function<void(Ptr result)> finish;
    bool done = false;
    // Credentials for the first password request; a second request means they were refused.
    const std::string* user = nullptr;
    const std::string* password = nullptr;
    int asked = 0;
};

void on_ready(Ptr, Ptr result, Ptr data) {
    auto* p = static_cast<Pending*>(data);
    p->finish(result);
    p->done = true;
}

int on_deadline(Ptr data) {
    auto* p = static_cast<Pending*>(data);
    p->gio->cancellable_cancel(p->cancellable);
    return 0;
}

void wait_for(Pending& p) {
    // A second short of the parent's limit, so a cancelled mount still reports 53 itself.
    p.gio->timeout_add_seconds(unsigned(kMountSeconds - 1), on_deadline, &p);
    while (!p.done) p.gio->main_context_iteration(nullptr, 1);
}

// Never a prompt: the credentials the script gave, or a guest connection, once.
void on_ask_password(Ptr op, const char*, const char*, const char*, int flags, Ptr data) {
    auto* p = static_cast<Pending*>(data);
    Gio& g = *p->gio;
    bool has_credentials = p->user || p->password;
    if (p->asked++ > 0 || (!has_credentials && !(flags & kAskAnonymousSupported)))
        return g.mount_operation_reply(op, kReplyAborted);
    if (!has_credentials) {
        g.mount_operation_set_anonymous(op, 1);
    } else {
        std::string name = p->user ? *p->user : "";
        std::size_t slash = name.find('\\');
        if (slash != std::string::npos) {
            g.mount_operation_set_domain(op, name.substr(0, slash).c_str());
            name.erase(0, slash + 1);
        }
        if (p->user) g.mount_operation_set_username(op, name.c_str());
        g.mount_operation_set_password(op, p->password ? p->password->c_str() : "");
    }
    g.mount_operation_reply(op, kReplyHandled);
}

void on_ask_question(Ptr op, const char*, Ptr, Ptr data) {
    static_cast<Pending*>(data)->gio->mount_operation_reply(op, kReplyAborted);
}

std::string error_reply(Gio& g, GError* error) {
    int32_t st = mount_error_status(error->domain == g.io_error_quark(), error->code,
                                    error->message ? error->message : "");
    g.error_free(error);
    return status_reply(st);
}

std::string mount_in_child(const std::string& uri, const std::string* user,
                           const std::string* password) {
    Gio g;
    if (!load_gio(g)) return status_reply(status::kNoNetwork);
    Ptr file = g.file_new_for_uri(uri.c_str());
    Ptr op = g.mount_operation_new();
    std::string reply;
    Pending p{&g, g.cancellable_new(), [&](Ptr result) {
                  GError* error = nullptr;
                  if (g.file_mount_enclosing_volume_finish(file, result, &error)) return;
                  bool already = error && error->domain == g.io_error_quark() &&
                                 error->code == gio_error::kAlreadyMounted;
                  // A share mounted already, by an earlier USE or by the user, serves as well.
                  if (already) return g.error_free(error);
                  reply = error ? error_reply(g, error) : status_reply(status::kBadNetPath);
              }};
    p.user = user;
    p.password = password;
    g.signal_connect_data(op, "ask-password", reinterpret_cast<Ptr>(on_ask_password), &p, nullptr,
                          0);
    g.signal_connect_data(op, "ask-question", reinterpret_cast<Ptr>(on_ask_question), &p, nullptr,
                          0);
    g.file_mount_enclosing_volume(file, 0, op, p.cancellable, on_ready, &p);
    wait_for(p);
    if (!reply.empty()) return reply;
    char* path = g.file_get_path(file);
    // A mount without a FUSE path cannot be reached through file names at all.
    if (!path) return status_reply(status::kNotSupported);
    reply = status_reply(0, path);
    g.free(path);
    return reply;
}

// The URI GVfs knows the SMB mount shown at FUSE folder `name` by: the folder's keys again,
// as smb://domain;user@server:port/share. "" for another kind of folder.
std::string share_folder_uri(std::string_view name) {
    ShareFolderKeys keys;
    if (!parse_share_folder(name, keys)) return "";
    std::string uri = "smb://";
    if (!keys.domain.empty()) {
        append_uri_encoded(uri, keys.domain);
        uri += ';';
    }
    if (!keys.user.empty()) {
        append_uri_encoded(uri, keys.user);
        uri += '@';
    }
    append_uri_encoded(uri, keys.server);
    if (!keys.port.empty()) uri += ':' + keys.port;
    uri += '/';
    append_uri_encoded(uri, keys.share);
    return uri;
}

bool shown_at(Gio& g, Ptr mount, const std::string& folder) {
    char* path = g.file_get_path(g.mount_get_root(mount));
    bool same = path && folder == path;
    g.free(path);
    return same;
}

// The session's mount whose root GVfs shows at `folder`. A FUSE path does not lead back to
// its mount through g_file_find_enclosing_mount, but the URI its name spells does, in one
// question to GVfs; the volume monitor, which starts every monitor of the session, is the
// way for names that spell none.
Ptr mount_at(Gio& g, const std::string& folder) {
    std::string uri = share_folder_uri(folder.substr(folder.rfind('/') + 1));
    if (!uri.empty()) {
        Ptr mount = g.file_find_enclosing_mount(g.file_new_for_uri(uri.c_str()), nullptr, nullptr);
        if (mount && shown_at(g, mount, folder)) return mount;
    }
    for (auto* m = static_cast<GList*>(g.volume_monitor_get_mounts(g.volume_monitor_get())); m;
         m = m->next)
        if (shown_at(g, m->data, folder)) return m->data;
    return nullptr;
}

std::string unmount_in_child(const std::string& folder) {
    Gio g;
    if (!load_gio(g)) return status_reply(status::kNoNetwork);
    GError* error = nullptr;
    Ptr mount = mount_at(g, folder);
    if (!mount) return status_reply(0); // nothing mounted there any more
    std::string reply = status_reply(0);
    Pending p{&g, g.cancellable_new(), [&](Ptr result) {
                  if (!g.mount_unmount_with_operation_finish(mount, result, &error))
                      reply = error ? error_reply(g, error) : status_reply(status::kBadNetPath);
              }};
    // Forced, as the Windows build cancels a connection even with files open on it.
    g.mount_unmount_with_operation(mount, kUnmountForce, nullptr, p.cancellable, on_ready, &p);
    wait_for(p);
    return reply;
}

int32_t run_gio(const std::function<std::string()>& work, std::string& path) {
    // Out of time, or the child died: 53, as for a server that never answers.
    return run_limited_status(work, kMountSeconds, status::kBadNetPath, path);
}

// After an unmount the kernel keeps the FUSE folder's entry for up to a second, and a mount
// of the same share in that time answers EIO for the folder and the names it remembers.
// Nothing announces when the entry goes, so each unmount leaves a note of its time in the
// drive table's folder (successive logon scripts share it), and only a mount of that very
// share, within that time, waits.
constexpr long long kStaleEntryMs = 1500;
constexpr std::string_view kUnmountedNote = "unmounted,";

std::string note_text(const std::string& path) {
    char buf[64];
    ssize_t n = ::readlink(path.c_str(), buf, sizeof buf);
    return n > 0 ? std::string(buf, std::size_t(n)) : std::string();
}

void note_unmounted(const std::string& folder) {
    std::string table = drive_table_folder();
    if (table.empty() || (::mkdir(table.c_str(), 0700) != 0 && errno != EEXIST)) return;
    std::string note =
        table + "/" + std::string(kUnmountedNote) + folder.substr(folder.rfind('/') + 1);
    ::unlink(note.c_str());
    // Only a hint for the next mount's wait: without it that wait is merely shorter.
    [[maybe_unused]] int noted = ::symlink(std::to_string(monotonic_ms()).c_str(), note.c_str());
}

// Waits until the kernel has let go of the folders of `server`/`share` unmounted moments
// ago: true when there was one, and the new mount must then also outlast EIO (settle).
bool wait_unmounted(const std::string& server, const std::string& share) {
    std::string table = drive_table_folder();
    DIR* d = table.empty() ? nullptr : ::opendir(table.c_str());
    if (!d) return false;
    std::vector<std::string> notes;
    while (dirent* e = ::readdir(d))
        if (std::string_view(e->d_name).starts_with(kUnmountedNote)) notes.push_back(e->d_name);
    ::closedir(d);
    bool waited = false;
    for (const std::string& name : notes) {
        std::string note = table + "/" + name;
        std::string folder = name.substr(kUnmountedNote.size());
        long long deadline = std::strtoll(note_text(note).c_str(), nullptr, 10) + kStaleEntryMs;
        bool fresh = monotonic_ms() < deadline;
        if (fresh && !is_share_folder_name(folder, server, share)) continue;
        ::unlink(note.c_str());
        if (!fresh) continue;
        waited = true;
        std::string path = gvfs_fuse_folder() + "/" + folder;
        struct stat st;
        while (monotonic_ms() < deadline && ::stat(path.c_str(), &st) == 0)
            ::usleep(20 * 1000); // no event says when the kernel drops a FUSE entry
    }
    return waited;
}

// GVfs's FUSE folder learns of a mount or an unmount a moment after GIO reports it, and a
// listing read in between (USE LIST, a UNC path) would show the state before. Waits, for a
// second at most, until the listing agrees; it usually does at the first look.
bool listed(const std::string& folder) {
    std::size_t slash = folder.rfind('/');
    DIR* d = ::opendir(folder.substr(0, slash).c_str());
    if (!d) return false;
    bool found = false;
    while (dirent* e = ::readdir(d))
        if (folder.compare(slash + 1, std::string::npos, e->d_name) == 0) found = true;
    ::closedir(d);
    return found;
}

void wait_listed(const std::string& folder, bool present) {
    long long deadline = monotonic_ms() + 1000;
    while (listed(folder) != present && monotonic_ms() < deadline)
        ::usleep(10 * 1000); // GVfs's FUSE folder announces nothing when it catches up
}

// The first looks into a share mounted again can still meet the old mount's entries (EIO),
// once each. Looks until the folder and its own entries answer, for a second at most.
void settle(const std::string& folder) {
    long long deadline = monotonic_ms() + 1000;
    for (;;) {
        struct stat st;
        bool stale = ::stat(folder.c_str(), &st) != 0 && errno == EIO;
        if (DIR* d = ::opendir(folder.c_str())) {
            int looked = 0;
            while (dirent* e = ::readdir(d)) {
                // A few dozen names tell whether old entries linger; a large share is not walked.
                if (e->d_name[0] == '.' || ++looked > 64) continue;
                if (::stat((folder + "/" + e->d_name).c_str(), &st) != 0 && errno == EIO)
                    stale = true;
            }
            ::closedir(d);
        } else {
            stale = stale || errno == EIO;
        }
        if (!stale || monotonic_ms() >= deadline) return;
        ::usleep(20 * 1000); // no event says when a FUSE folder stops answering EIO
    }
}

// True when the process has a session bus to reach GVfs through.
bool session_bus_present() {
    const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    if (address && *address) return true;
    // Without the variable, GIO looks for the bus where the session manager puts it.
    const char* rt = std::getenv("XDG_RUNTIME_DIR");
    struct stat st;
    return rt && *rt && ::stat((std::string(rt) + "/bus").c_str(), &st) == 0 &&
           S_ISSOCK(st.st_mode);
}

} // namespace

int32_t gvfs_mount(const std::string& server, const std::string& share, const std::string* user,
                   const std::string* password, std::string& folder) {
    folder.clear();
    // Fuzzed scripts would mount whatever they name, thousands of times a minute.
    if (kFuzzing || !session_bus_present()) return status::kNoNetwork;
    bool remounted = wait_unmounted(server, share);
    std::string uri = smb_uri(server, share);
    int32_t st = run_gio([&] { return mount_in_child(uri, user, password); }, folder);
    if (st != 0) {
        folder.clear();
        return st;
    }
    wait_listed(folder, true);
    if (remounted) settle(folder);
    return st;
}

int32_t gvfs_unmount(const std::string& folder) {
    if (kFuzzing || !session_bus_present()) return status::kNoNetwork;
    std::string ignored;
    int32_t st = run_gio([&] { return unmount_in_child(folder); }, ignored);
    if (st != 0) return st;
    wait_listed(folder, false);
    note_unmounted(folder);
    return st;
}

} // namespace vtx::platform
