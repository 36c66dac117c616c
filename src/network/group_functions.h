// Group membership as INGROUP reports it.
#pragma once

#include <string_view>

#include "engine/user_info.h"

namespace vtx {

// '1' when `name` is one of the user's global groups, '2' when it is one of the local
// groups (looked at only when the global list is not empty), else '0'. Case-blind; a
// domain account's qualified group names also match by the name alone.
char group_membership(const UserInfo& user, std::string_view name);

} // namespace vtx
