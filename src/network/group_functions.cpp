#include "network/group_functions.h"

#include "engine/arguments.h"
#include "engine/runtime.h"
#include "engine/text.h"
#include "network/domain_names.h"
#include "network/handlers.h"

namespace vtx {

namespace {

bool holds(const std::vector<std::string>& names, std::string_view name, bool qualified) {
    for (const std::string& n : names)
        if (qualified ? domain_group_matches(n, name) : equal_nocase(n, name)) return true;
    return false;
}

} // namespace

char group_membership(const UserInfo& user, std::string_view name) {
    if (user.groups.empty()) return '0'; // the local list counts only beside a global one
    if (holds(user.groups, name, user.qualified_groups)) return '1';
    return holds(user.local_groups, name, user.qualified_groups) ? '2' : '0';
}

void fn_ingroup(Runtime& rt, std::string& result) {
    std::string name;
    function_arguments<FN_INGROUP>(rt, name);
    result += group_membership(user_facts(rt, kFactGroups), name);
}

} // namespace vtx
