#include "engine/arguments.h"
#include "engine/status_result.h"
#include "network/handlers.h"
#include "platform/messaging.h"

namespace vtx {

void fn_sendmessage(Runtime& rt, std::string& result) {
    std::string recipient, message;
    function_arguments<FN_SENDMESSAGE>(rt, recipient, message);
    int32_t st;
    if (rt.os.is_nt()) {
        st = platform::lanman_send_message(recipient, message);
    } else {
        for (char& c : recipient) c = upper(c);
        st = platform::helper_send_message(recipient, message);
    }
    finish_status(rt, result, st);
}

} // namespace vtx
