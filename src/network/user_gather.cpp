#include "network/user_gather.h"

#include "engine/runtime.h"
#include "platform/system.h"

namespace vtx {

int32_t gather_user_information(Runtime& rt) {
    rt.user = UserInfo{};
    rt.user.user_id = platform::logon_user_name();
    return 0;
}

} // namespace vtx
