#include "platform/posix/cups_library.h"

#include "platform/posix/shared_library.h"

namespace vtx::platform {

namespace {

// No password to offer: the request fails as not authorised instead of prompting.
const char* no_password(const char*, http_t*, const char*, const char*, void*) {
    return nullptr;
}

bool bind_all(const SharedLibrary& lib, CupsLibrary& c) {
    return lib.bind(c.set_password_cb, "cupsSetPasswordCB2") && lib.bind(c.server, "cupsServer") &&
           lib.bind(c.port, "ippPort") && lib.bind(c.encryption, "cupsEncryption") &&
           lib.bind(c.user, "cupsUser") && lib.bind(c.connect, "httpConnect2") &&
           lib.bind(c.close, "httpClose") && lib.bind(c.set_timeout, "httpSetTimeout") &&
           lib.bind(c.new_request, "ippNewRequest") && lib.bind(c.add_string, "ippAddString") &&
           lib.bind(c.add_strings, "ippAddStrings") && lib.bind(c.add_boolean, "ippAddBoolean") &&
           lib.bind(c.add_integer, "ippAddInteger") && lib.bind(c.do_request, "cupsDoRequest") &&
           lib.bind(c.last_error, "cupsLastError") && lib.bind(c.free_ipp, "ippDelete") &&
           lib.bind(c.first_attribute, "ippFirstAttribute") &&
           lib.bind(c.next_attribute, "ippNextAttribute") &&
           lib.bind(c.attribute_name, "ippGetName") &&
           lib.bind(c.attribute_string, "ippGetString") &&
           lib.bind(c.attribute_group, "ippGetGroupTag") &&
           lib.bind(c.get_dests, "cupsGetDests2") && lib.bind(c.set_dests, "cupsSetDests2") &&
           lib.bind(c.free_dests, "cupsFreeDests");
}

} // namespace

const CupsLibrary* cups_library() {
    static const CupsLibrary* const loaded = []() -> const CupsLibrary* {
        static const SharedLibrary lib({"libcups.so.2", "libcups.so"});
        static CupsLibrary entries;
        if (!bind_all(lib, entries)) return nullptr;
        entries.set_password_cb(no_password, nullptr);
        return &entries;
    }();
    return loaded;
}

} // namespace vtx::platform
