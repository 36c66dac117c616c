#include "platform/messaging.h"

#include <unistd.h>

#include "platform/fuzzing.h"
#include "platform/posix/desktop/desktop_notification.h"
#include "platform/posix/helper_program.h"
#include "platform/posix/network/host_address.h"
#include "platform/posix/terminal/terminal_message.h"
#include "platform/status.h"
#include "platform/system.h"
#include "platform/text_rules.h"

namespace vtx::platform {

namespace {

constexpr int kSmbMessageSeconds = 20;

// A Windows computer or Samba server's messenger, through smbclient (SMB1 on port 139).
// smbclient itself finds a messenger name only by NetBIOS (broadcast, WINS, lmhosts), so a
// name that DNS knows is handed over with its address.
bool send_to_computer(const std::string& name, const std::string& message) {
    std::string host = computer_name(name);
    if (host.empty()) return false;
    std::vector<std::string> argv = {"smbclient", "-N", "-M", host};
    std::string address = ipv4_address_of(host);
    if (!address.empty()) argv.insert(argv.end(), {"-I", address});
    std::string output;
    return run_helper(argv, message, output, kSmbMessageSeconds) == 0;
}

} // namespace

// The recipient is looked for in this order: the user running the script (their desktop,
// else their terminals), another user logged on here (their terminals), a computer.
int32_t lanman_send_message(const std::string& recipient, const std::string& message) {
    if constexpr (kFuzzing) return status::kNotSupported;
    std::string me = logon_user_name();
    if (equal_nocase(recipient, me) && notify_desktop("Message from " + me, message) == 0) return 0;
    int32_t st = message_terminals(recipient, me, message);
    // 2: nobody of that name is logged on here, so the name may be a computer's.
    if (st != status::kFileNotFound) return st;
    // 2273, as the messenger answers for a name that no one answers to.
    return send_to_computer(recipient, message) ? 0 : status::kNameNotFound;
}

int32_t helper_send_message(const std::string&, const std::string&) {
    return status::kNotSupported; // the 9x line's helper library: never used on POSIX
}

} // namespace vtx::platform
