// The program-group server's stand-in on POSIX: it takes the command texts the Windows build
// sends over DDE and carries them out on the XDG menus (xdg_menu_files.h).
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/posix/descriptor_io.h"
#include "platform/posix/desktop/progman_command.h"
#include "platform/posix/desktop/xdg_menu_files.h"
#include "platform/posix/runtime_folder.h"
#include "platform/shell.h"
#include "platform/text_rules.h"

namespace vtx::platform {

namespace {

constexpr std::size_t kMaxStateFile = 64 * 1024;

// The group the item commands act on, as the server keeps one between conversations.
struct CurrentGroup {
    std::string name;
    bool common = false;
};

bool field_flag(const std::vector<std::string>& fields, std::size_t i) {
    return i < fields.size() && text_to_int(fields[i]) != 0;
}

const std::string& field(const std::vector<std::string>& fields, std::size_t i) {
    static const std::string kNone;
    return i < fields.size() ? fields[i] : kNone;
}

// The state file is the user's own regular file, never what a link in its place names.
bool read_state(const std::string& path, std::string& text) {
    int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat st;
    bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == ::geteuid() &&
              read_all(fd, text, kMaxStateFile) == 0;
    ::close(fd);
    return ok;
}

// Written beside it and renamed over it: a link in its place is replaced, not followed.
bool write_state(const std::string& path, const std::string& text) {
    std::string temp = path + ".XXXXXX";
    int fd = ::mkstemp(temp.data());
    if (fd < 0) return false;
    bool ok = write_all(fd, text) == 0;
    ok = ::close(fd) == 0 && ok;
    ok = ok && ::rename(temp.c_str(), path.c_str()) == 0;
    if (!ok) ::unlink(temp.c_str());
    return ok;
}

} // namespace

// The current group lives in the user's session (XDG_RUNTIME_DIR), like the server's own
// state: it lasts from one call, or one script, to the next until the user logs off.
struct ProgmanConversation::State {
    std::string state_file;

    bool current(CurrentGroup& group) const {
        std::string text;
        if (!read_state(state_file, text) || text.size() < 2) return false;
        group.common = text[0] == '1';
        group.name = text.substr(2);
        return !group.name.empty();
    }
    bool select(const std::string& name, bool common) const {
        return write_state(state_file, std::string(common ? "1" : "0") + "\n" + name);
    }
    void forget(const std::string& name, bool common) const {
        CurrentGroup group;
        if (current(group) && group.common == common && equal_nocase(group.name, name))
            std::remove(state_file.c_str());
    }

    bool run(const ProgmanCommand& c) const;
};

ProgmanConversation::ProgmanConversation() : state_(std::make_unique<State>()) {}
ProgmanConversation::~ProgmanConversation() = default;

// Without a user session (no XDG_RUNTIME_DIR, or one that is not the user's alone) or a home
// for the menus there is nobody to hold the groups: as if the server were not running.
int32_t ProgmanConversation::open() {
    std::string runtime = trusted_runtime_folder();
    MenuFolders folders;
    if (runtime.empty() || !menu_folders(false, folders)) return 2;
    state_->state_file = runtime + "/vtx32-program-group";
    return 0;
}

bool ProgmanConversation::execute(const std::string& command) {
    ProgmanCommand c;
    return parse_progman_command(command, c) && state_->run(c);
}

bool ProgmanConversation::State::run(const ProgmanCommand& c) const {
    const std::vector<std::string>& f = c.fields;
    MenuFolders folders;
    auto verb = [&](const char* name) { return equal_nocase(c.verb, name); };
    if (verb("CreateGroup") || verb("ShowGroup") || verb("DeleteGroup")) {
        // The show command of ShowGroup has no meaning for a menu.
        bool common = field_flag(f, verb("ShowGroup") ? 2 : 1);
        const std::string& name = field(f, 0);
        if (!menu_folders(common, folders)) return false;
        if (verb("DeleteGroup")) {
            if (!delete_group(folders, name)) return false;
            forget(name, common);
            return true;
        }
        bool ok = verb("CreateGroup") ? create_group(folders, name) : group_exists(folders, name);
        return ok && select(name, common);
    }

    CurrentGroup group;
    if (!current(group) || !menu_folders(group.common, folders)) return false;
    if (verb("AddItem")) {
        MenuItem item{field(f, 0), field(f, 1), field(f, 2), text_to_int(field(f, 3)), field(f, 6)};
        return add_item(folders, group.name, item);
    }
    // The server's ReplaceItem removes the item so the next AddItem takes its place.
    if (verb("ReplaceItem") || verb("DeleteItem"))
        return delete_item(folders, group.name, field(f, 0));
    return false;
}

} // namespace vtx::platform
