#include "platform/posix/network/cups_library.h"

#include <type_traits>

#include "platform/posix/shared_library.h"

namespace vtx::platform {

namespace {

// No password to offer: the request fails as not authorised instead of prompting.
const char* no_password(const char*, http_t*, const char*, const char*, void*) {
    return nullptr;
}

// Every entry bound, or false.
bool bind_all(const SharedLibrary& lib, CupsLibrary& c) {
    auto bind = [&](auto& fn, const char* name) {
        fn = lib.entry<std::remove_reference_t<decltype(fn)>>(name);
        return fn != nullptr;
    };
    return bind(c.set_password_cb, "cupsSetPasswordCB2") && bind(c.server, "cupsServer") &&
           bind(c.port, "ippPort") && bind(c.encryption, "cupsEncryption") &&
           bind(c.user, "cupsUser") && bind(c.connect, "httpConnect2") &&
           bind(c.close, "httpClose") && bind(c.set_timeout, "httpSetTimeout") &&
           bind(c.new_request, "ippNewRequest") && bind(c.add_string, "ippAddString") &&
           bind(c.add_strings, "ippAddStrings") && bind(c.add_boolean, "ippAddBoolean") &&
           bind(c.add_integer, "ippAddInteger") && bind(c.do_request, "cupsDoRequest") &&
           bind(c.last_error, "cupsLastError") && bind(c.free_ipp, "ippDelete") &&
           bind(c.first_attribute, "ippFirstAttribute") &&
           bind(c.next_attribute, "ippNextAttribute") && bind(c.attribute_name, "ippGetName") &&
           bind(c.attribute_string, "ippGetString") && bind(c.attribute_group, "ippGetGroupTag") &&
           bind(c.get_dests, "cupsGetDests2") && bind(c.set_dests, "cupsSetDests2") &&
           bind(c.free_dests, "cupsFreeDests");
}

} // namespace

const CupsLibrary* cups_library() {
    static const CupsLibrary* const loaded = []() -> const CupsLibrary* {
        static const SharedLibrary lib("libcups.so.2");
        static CupsLibrary entries;
        if (!bind_all(lib, entries)) return nullptr;
        entries.set_password_cb(no_password, nullptr);
        return &entries;
    }();
    return loaded;
}

} // namespace vtx::platform
