#include "engine/arguments.h"
#include "engine/status_result.h"
#include "platform/shell.h"
#include "shell/handlers.h"
#include "shell/progman_commands.h"

namespace vtx {

namespace {

constexpr int32_t kCommandFailed = 3;
constexpr int32_t kReplaceFailed = 4;

// A text too long for the command buffer, or none (a name it cannot carry), is not sent, and
// counts as a failed command.
bool send(platform::ProgmanConversation& progman, const std::string& command) {
    return !command.empty() && command.size() <= kMaxProgmanCommand && progman.execute(command);
}

// Every call has a conversation of its own.
int32_t send_one(const std::string& command) {
    platform::ProgmanConversation progman;
    if (int32_t st = progman.open()) return st;
    return send(progman, command) ? 0 : kCommandFailed;
}

} // namespace

void fn_addprogramgroup(Runtime& rt, std::string& result) {
    std::string name;
    int32_t common = 0;
    function_arguments<FN_ADDPROGRAMGROUP>(rt, name, common);
    finish_status(rt, result, send_one(create_group_command(name, common)));
}

void fn_delprogramgroup(Runtime& rt, std::string& result) {
    std::string name;
    int32_t common = 0;
    function_arguments<FN_DELPROGRAMGROUP>(rt, name, common);
    finish_status(rt, result, send_one(delete_group_command(name, common)));
}

void fn_showprogramgroup(Runtime& rt, std::string& result) {
    std::string name;
    int32_t show = 0, common = 0;
    function_arguments<FN_SHOWPROGRAMGROUP>(rt, name, show, common);
    finish_status(rt, result, send_one(show_group_command(name, show, common)));
}

void fn_delprogramitem(Runtime& rt, std::string& result) {
    std::string name;
    function_arguments<FN_DELPROGRAMITEM>(rt, name);
    finish_status(rt, result, send_one(delete_item_command(name)));
}

void fn_addprogramitem(Runtime& rt, std::string& result) {
    ProgramItem item;
    int32_t replace = 0;
    function_arguments<FN_ADDPROGRAMITEM>(rt, item.command_line, item.name, item.icon_file,
                                          item.icon_index, item.working_dir, item.minimize, replace,
                                          item.separate_memory);
    item.minimize = item.minimize != 0;
    item.separate_memory = item.separate_memory != 0;

    platform::ProgmanConversation progman;
    int32_t st = progman.open();
    // Mode 1 insists on replacing an existing item; other modes add it when it was missing.
    if (st == 0 && replace != 0 && !send(progman, replace_item_command(item.name)) && replace == 1)
        st = kReplaceFailed;
    if (st == 0 && !send(progman, add_item_command(item, rt.os.is_nt()))) st = kCommandFailed;
    finish_status(rt, result, st);
}

} // namespace vtx
