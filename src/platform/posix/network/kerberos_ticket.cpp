#include "platform/directory.h"
#include "platform/posix/shared_library.h"

namespace vtx::platform {

namespace {

// The library's handles are opaque; these few calls are its stable interface.
using Context = void*;
using Cache = void*;
using Principal = void*;

} // namespace

bool kerberos_ticket_held() {
    static const SharedLibrary krb5("libkrb5.so.3");
    int (*init)(Context*) = nullptr;
    void (*free_context)(Context) = nullptr;
    int (*cache_default)(Context, Cache*) = nullptr;
    int (*principal_of)(Context, Cache, Principal*) = nullptr;
    void (*free_principal)(Context, Principal) = nullptr;
    int (*close)(Context, Cache) = nullptr;
    if (!krb5.bind(init, "krb5_init_context") || !krb5.bind(free_context, "krb5_free_context") ||
        !krb5.bind(cache_default, "krb5_cc_default") ||
        !krb5.bind(principal_of, "krb5_cc_get_principal") ||
        !krb5.bind(free_principal, "krb5_free_principal") || !krb5.bind(close, "krb5_cc_close"))
        return false;
    Context context = nullptr;
    if (init(&context) != 0) return false;
    Cache cache = nullptr;
    Principal principal = nullptr;
    bool held =
        cache_default(context, &cache) == 0 && principal_of(context, cache, &principal) == 0;
    if (principal) free_principal(context, principal);
    if (cache) close(context, cache);
    free_context(context);
    return held;
}

} // namespace vtx::platform
