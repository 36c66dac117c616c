#include <arpa/nameser.h>
#include <cstring>
#include <netdb.h>
#include <netinet/in.h>
#include <resolv.h>

#include "platform/domain.h"
#include "platform/posix/network/dns_answer.h"
#include "platform/status.h"

namespace vtx::platform {

int32_t dns_domain_controller(const std::string& realm, std::string& host) {
    struct __res_state state;
    std::memset(&state, 0, sizeof state);
    if (::res_ninit(&state) != 0) return status::kNoSuchDomain;
    // One try of one second at the first server: the lookup stays within the second a
    // logon may spend on it.
    state.retrans = 1;
    state.retry = 1;
    if (state.nscount > 1) state.nscount = 1;
    unsigned char answer[NS_PACKETSZ * 4];
    std::string name = "_ldap._tcp.dc._msdcs." + realm;
    int length = ::res_nquery(&state, name.c_str(), ns_c_in, ns_t_srv, answer, sizeof answer);
    int error = state.res_h_errno;
    ::res_nclose(&state);
    // TRY_AGAIN is no answer in time (or a failing server): the domain itself may exist.
    if (length < 0) return error == TRY_AGAIN ? status::kTimeout : status::kNoSuchDomain;
    return first_srv_target(answer, std::size_t(length), host) ? 0 : status::kNoSuchDomain;
}

} // namespace vtx::platform
