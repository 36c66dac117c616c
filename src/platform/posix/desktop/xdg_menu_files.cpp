#include "platform/posix/desktop/xdg_menu_files.h"

#include <dirent.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

#include "platform/files.h"
#include "platform/posix/desktop/desktop_entry.h"
#include "platform/posix/file_writes.h"
#include "platform/text_rules.h"

namespace vtx::platform {

namespace {

constexpr const char* kMarkKey = "X-VTX32-Group=";

// An XDG variable counts only when it holds an absolute path.
std::string xdg_path(const char* name) {
    const char* v = std::getenv(name);
    return v && v[0] == '/' ? v : "";
}

std::string first_entry(const char* name, const char* fallback) {
    std::string list = xdg_path(name);
    if (list.empty()) return fallback;
    return list.substr(0, list.find(':'));
}

// Menu files are small; the cap only keeps a hostile one from exhausting memory.
constexpr std::size_t kMaxMenuFile = std::size_t(1) << 20;

// Replaced in one step: a menu reader never sees half a file.
bool save_file(const std::string& dir, const std::string& name, const std::string& text) {
    return make_folders(dir, 0755) == 0 && write_whole_file(dir + "/" + name, text) == 0;
}

bool made_by_vtx32(const std::string& path) {
    std::string text;
    return read_file(path, text, kMaxMenuFile) == 0 &&
           text.find(std::string("\n") + kMarkKey) != std::string::npos;
}

// A file in the way that VTX32 did not write is left alone.
bool free_or_ours(const std::string& path) {
    return access(path.c_str(), F_OK) != 0 || made_by_vtx32(path);
}

bool remove_ours(const std::string& path) {
    return made_by_vtx32(path) && unlink(path.c_str()) == 0;
}

std::string group_id(const std::string& group) {
    return "vtx32-" + menu_id(group);
}
std::string directory_dir(const MenuFolders& f) {
    return f.data + "/desktop-directories";
}
std::string menu_dir(const MenuFolders& f) {
    return f.config + "/menus/applications-merged";
}
std::string items_dir(const MenuFolders& f) {
    return f.data + "/applications";
}
std::string directory_path(const MenuFolders& f, const std::string& group) {
    return directory_dir(f) + "/" + group_id(group) + ".directory";
}
std::string menu_path(const MenuFolders& f, const std::string& group) {
    return menu_dir(f) + "/" + group_id(group) + ".menu";
}
// The group id holds no '-', so "vtx32-GROUP-" starts only this group's items.
std::string item_file(const std::string& group, const std::string& name) {
    return group_id(group) + "-" + menu_id(name) + ".desktop";
}

std::string directory_text(const std::string& group) {
    return "[Desktop Entry]\nType=Directory\nName=" + desktop_value(group) + "\n" + kMarkKey +
           desktop_value(group) + "\n";
}

// Merged into the applications menu: a folder holding the entries of the group's category.
std::string menu_text(const std::string& group) {
    const std::string id = group_id(group);
    std::string text = "<!DOCTYPE Menu PUBLIC \"-//freedesktop//DTD Menu 1.0//EN\"\n"
                       " \"http://www.freedesktop.org/standards/menu-spec/1.0/menu.dtd\">\n";
    text += "<!--\n" + std::string(kMarkKey) + id + "\n-->\n";
    text += "<Menu>\n  <Name>Applications</Name>\n  <Menu>\n";
    text += "    <Name>" + id + "</Name>\n";
    text += "    <Directory>" + id + ".directory</Directory>\n";
    text += "    <Include>\n      <Category>X-" + id + "</Category>\n    </Include>\n";
    text += "  </Menu>\n</Menu>\n";
    return text;
}

// The minimise and separate-memory flags have no meaning here and are not kept.
std::string item_text(const std::string& group, const MenuItem& item) {
    std::string text = "[Desktop Entry]\nType=Application\nName=" + desktop_value(item.name) +
                       "\nExec=" + desktop_exec(item.command_line) + "\n";
    if (!item.icon_file.empty()) text += "Icon=" + desktop_value(item.icon_file) + "\n";
    if (!item.working_dir.empty()) text += "Path=" + desktop_value(item.working_dir) + "\n";
    text += "Categories=X-" + group_id(group) + ";\n";
    text += kMarkKey + desktop_value(group) + "\n";
    // XDG icons have no index; kept so that nothing the script gave is lost.
    if (item.icon_index != 0) text += "X-VTX32-IconIndex=" + format_int(item.icon_index) + "\n";
    return text;
}

std::vector<std::string> files_starting(const std::string& dir, const std::string& prefix) {
    std::vector<std::string> names;
    if (DIR* d = opendir(dir.c_str())) {
        while (dirent* e = readdir(d)) {
            std::string name = e->d_name;
            if (name.starts_with(prefix) && name.ends_with(".desktop")) names.push_back(name);
        }
        closedir(d);
    }
    return names;
}

} // namespace

bool menu_folders(bool common, MenuFolders& f) {
    if (common) {
        f.data = first_entry("XDG_DATA_DIRS", "/usr/local/share");
        f.config = first_entry("XDG_CONFIG_DIRS", "/etc/xdg");
        return true;
    }
    std::string home = xdg_path("HOME");
    f.data = xdg_path("XDG_DATA_HOME");
    f.config = xdg_path("XDG_CONFIG_HOME");
    if (f.data.empty() && !home.empty()) f.data = home + "/.local/share";
    if (f.config.empty() && !home.empty()) f.config = home + "/.config";
    return !f.data.empty() && !f.config.empty();
}

bool group_exists(const MenuFolders& f, const std::string& group) {
    return made_by_vtx32(directory_path(f, group));
}

bool create_group(const MenuFolders& f, const std::string& group) {
    if (group.empty()) return false;
    if (group_exists(f, group)) return true; // as the server does: it only becomes current
    std::string id = group_id(group);
    return free_or_ours(menu_path(f, group)) &&
           save_file(directory_dir(f), id + ".directory", directory_text(group)) &&
           save_file(menu_dir(f), id + ".menu", menu_text(group));
}

bool delete_group(const MenuFolders& f, const std::string& group) {
    if (!group_exists(f, group)) return false;
    bool ok = true;
    std::string items = items_dir(f);
    for (const std::string& name : files_starting(items, group_id(group) + "-")) {
        std::string path = items + "/" + name;
        if (made_by_vtx32(path)) ok = unlink(path.c_str()) == 0 && ok;
    }
    std::string menu = menu_path(f, group);
    if (access(menu.c_str(), F_OK) == 0) ok = remove_ours(menu) && ok;
    return remove_ours(directory_path(f, group)) && ok;
}

bool add_item(const MenuFolders& f, const std::string& group, const MenuItem& item) {
    // An item needs something to run, and a name (the program's, when none is given).
    if (item.command_line.empty() || !group_exists(f, group)) return false;
    MenuItem named = item;
    if (named.name.empty()) {
        std::string program = item.command_line.substr(0, item.command_line.find(' '));
        program = program.substr(program.find_last_of("\\/") + 1);
        named.name = program.substr(0, program.rfind('.'));
        if (named.name.empty()) return false;
    }
    std::string file = item_file(group, named.name);
    return free_or_ours(items_dir(f) + "/" + file) &&
           save_file(items_dir(f), file, item_text(group, named));
}

bool delete_item(const MenuFolders& f, const std::string& group, const std::string& name) {
    return !name.empty() && group_exists(f, group) &&
           remove_ours(items_dir(f) + "/" + item_file(group, name));
}

} // namespace vtx::platform
