// The wallpaper on POSIX: the running desktop's own setting, chosen by XDG_CURRENT_DESKTOP.
// These settings outlast the logon; the Windows build's wallpaper holds for one logon only.
#include <cerrno>
#include <cstdlib>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/files.h"
#include "platform/fuzzing.h"
#include "platform/posix/desktop/dbus_bus.h"
#include "platform/posix/desktop/gsettings.h"
#include "platform/posix/errno_status.h"
#include "platform/posix/uri.h"
#include "platform/shell.h"
#include "platform/status.h"
#include "platform/text_rules.h"

namespace vtx::platform {

namespace {

enum class Desktop { none, gnome, cinnamon, mate, xfce, kde };

struct DesktopName {
    const char* name;
    Desktop desktop;
};

const DesktopName kDesktops[] = {
    {"GNOME", Desktop::gnome},         {"Unity", Desktop::gnome},       {"ubuntu", Desktop::gnome},
    {"X-Cinnamon", Desktop::cinnamon}, {"Cinnamon", Desktop::cinnamon}, {"MATE", Desktop::mate},
    {"XFCE", Desktop::xfce},           {"KDE", Desktop::kde},
};

// XDG_CURRENT_DESKTOP lists the desktop's names, most specific first.
Desktop current_desktop() {
    const char* value = std::getenv("XDG_CURRENT_DESKTOP");
    std::string_view names = value ? value : "";
    while (!names.empty()) {
        std::string_view name = names.substr(0, names.find(':'));
        names.remove_prefix(std::min(names.size(), name.size() + 1));
        for (const DesktopName& d : kDesktops)
            if (equal_nocase(name, d.name)) return d.desktop;
    }
    return Desktop::none;
}

// No path, no picture: the empty text.
std::string file_uri(const std::string& path) {
    if (path.empty()) return path;
    std::string uri = "file://";
    append_uri_encoded(uri, path, "/!$&'()*+,;=:@");
    return uri;
}

int32_t set_gnome_style(const char* schema, const std::string& file) {
    std::string uri = file_uri(file);
    int32_t st = set_gsettings_text(schema, "picture-uri", uri);
    // Newer GNOME shows a second picture in dark mode; older ones have no such key.
    if (st == 0) set_gsettings_text(schema, "picture-uri-dark", uri);
    return st;
}

// XFCE keeps one picture per monitor and workspace, in xfconf's "xfce4-desktop" channel.
int32_t set_xfce(const std::string& file) {
    constexpr const char* kXfconf = "org.xfce.Xfconf";
    constexpr const char* kChannel = "xfce4-desktop";
    DbusBus bus;
    if (int32_t st = bus.open(DbusBus::Which::session)) return st;
    sd_bus_message* reply = nullptr;
    std::vector<std::string> keys;
    int32_t st = bus.call(&reply, kXfconf, "/org/xfce/Xfconf", kXfconf, "GetAllProperties", "ss",
                          kChannel, "/backdrop");
    if (st == 0) {
        if (!bus.read_dict_keys(reply, keys)) st = status::kInvalidData;
        bus.unref(reply);
    }
    // A channel that holds no pictures yet is not an error: the first monitor gets one.
    if (st != 0 && st != status::kServiceNotActive) keys.clear(), st = 0;
    if (st) return st;
    std::erase_if(keys, [](const std::string& k) {
        return k.size() < 11 || k.compare(k.size() - 11, 11, "/last-image") != 0;
    });
    if (keys.empty()) keys.emplace_back("/backdrop/screen0/monitor0/workspace0/last-image");
    for (const std::string& key : keys)
        if (int32_t set = bus.call(nullptr, kXfconf, "/org/xfce/Xfconf", kXfconf, "SetProperty",
                                   "ssv", kChannel, key.c_str(), "s", file.c_str()))
            return set;
    return 0;
}

// Plasma keeps a picture per desktop containment; its shell runs a script that sets every
// one. The URI escapes quotes and backslashes, so it stands as a script string unchanged.
int32_t set_kde(const std::string& file) {
    DbusBus bus;
    if (int32_t st = bus.open(DbusBus::Which::session)) return st;
    std::string script =
        "var all = desktops();\n"
        "for (var i = 0; i < all.length; i++) {\n"
        "    var d = all[i];\n"
        "    d.wallpaperPlugin = \"org.kde.image\";\n"
        "    d.currentConfigGroup = [\"Wallpaper\", \"org.kde.image\", \"General\"];\n"
        "    d.writeConfig(\"Image\", \"" +
        file_uri(file) + "\");\n}\n";
    return bus.call(nullptr, "org.kde.plasmashell", "/PlasmaShell", "org.kde.PlasmaShell",
                    "evaluateScript", "s", script.c_str());
}

// The picture as an absolute path: 0, or the status of a file that is not there.
int32_t picture_path(const std::string& path, std::string& file) {
    if (path.empty()) return 0;
    file = native_path(path);
    if (file[0] != '/') {
        char* cwd = ::getcwd(nullptr, 0);
        if (cwd) file = std::string(cwd) + "/" + file;
        std::free(cwd);
    }
    struct stat st {};
    if (::stat(file.c_str(), &st) != 0) return status_from_path_errno(errno, file);
    return S_ISDIR(st.st_mode) ? status::kAccessDenied : 0;
}

} // namespace

int32_t set_wallpaper(const std::string& path) {
    if constexpr (kFuzzing) return status::kNotSupported;
    std::string file;
    if (int32_t st = picture_path(path, file)) return st;
    switch (current_desktop()) {
    case Desktop::gnome: return set_gnome_style("org.gnome.desktop.background", file);
    case Desktop::cinnamon:
        return set_gnome_style(gsettings_schema_exists("org.cinnamon.desktop.background")
                                   ? "org.cinnamon.desktop.background"
                                   : "org.gnome.desktop.background",
                               file);
    case Desktop::mate: return set_gsettings_text("org.mate.background", "picture-filename", file);
    case Desktop::xfce: return set_xfce(file);
    case Desktop::kde: return set_kde(file);
    case Desktop::none: break;
    }
    return status::kNotSupported;
}

} // namespace vtx::platform
