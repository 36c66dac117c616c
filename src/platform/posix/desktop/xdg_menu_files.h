// Program groups kept as XDG menus: a group is a menu folder (a .directory file and a merged
// .menu file that gathers the group's category), an item a .desktop entry in that category.
// Every file carries the X-VTX32-Group key; only files that carry it are replaced or removed.
#pragma once

#include <cstdint>
#include <string>

namespace vtx::platform {

// Where one set of groups lives: the user's (XDG_DATA_HOME, XDG_CONFIG_HOME) or the
// machine's (the first of XDG_DATA_DIRS and of XDG_CONFIG_DIRS).
struct MenuFolders {
    std::string data;
    std::string config;
};

// The folders for the user's groups (`common` false) or the machine's; false when the
// environment names none (no home folder).
bool menu_folders(bool common, MenuFolders& folders);

struct MenuItem {
    std::string command_line;
    std::string name;
    std::string icon_file;
    int32_t icon_index = 0;
    std::string working_dir;
};

// Each returns false when it cannot be done: a file that is missing or not VTX32's, or one
// that cannot be written.
bool group_exists(const MenuFolders& f, const std::string& group);
bool create_group(const MenuFolders& f, const std::string& group);
// Removes the group's files and its items.
bool delete_group(const MenuFolders& f, const std::string& group);
// Adds the item to the group, or replaces the group's item of the same name.
bool add_item(const MenuFolders& f, const std::string& group, const MenuItem& item);
bool delete_item(const MenuFolders& f, const std::string& group, const std::string& name);

} // namespace vtx::platform
