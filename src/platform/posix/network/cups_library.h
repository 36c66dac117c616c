// libcups, loaded at first use. Only its types and constants come from the header; every
// call goes through the entries bound here, so the program does not link against it.
#pragma once

#include <cups/cups.h>

namespace vtx::platform {

struct CupsLibrary {
    decltype(&::cupsSetPasswordCB2) set_password_cb = nullptr;
    decltype(&::cupsServer) server = nullptr;
    decltype(&::ippPort) port = nullptr;
    decltype(&::cupsEncryption) encryption = nullptr;
    decltype(&::cupsUser) user = nullptr;
    decltype(&::httpConnect2) connect = nullptr;
    decltype(&::httpClose) close = nullptr;
    decltype(&::httpSetTimeout) set_timeout = nullptr;
    decltype(&::ippNewRequest) new_request = nullptr;
    decltype(&::ippAddString) add_string = nullptr;
    decltype(&::ippAddStrings) add_strings = nullptr;
    decltype(&::ippAddBoolean) add_boolean = nullptr;
    decltype(&::ippAddInteger) add_integer = nullptr;
    decltype(&::cupsDoRequest) do_request = nullptr;
    decltype(&::cupsLastError) last_error = nullptr;
    decltype(&::ippDelete) free_ipp = nullptr;
    decltype(&::ippFirstAttribute) first_attribute = nullptr;
    decltype(&::ippNextAttribute) next_attribute = nullptr;
    decltype(&::ippGetName) attribute_name = nullptr;
    decltype(&::ippGetString) attribute_string = nullptr;
    decltype(&::ippGetGroupTag) attribute_group = nullptr;
    decltype(&::cupsGetDests2) get_dests = nullptr;
    decltype(&::cupsSetDests2) set_dests = nullptr;
    decltype(&::cupsFreeDests) free_dests = nullptr;
};

// The library with every entry bound, or null when it is missing or incomplete. Loaded once;
// password prompts are switched off before it is handed out, since a logon script must
// never stop to ask.
const CupsLibrary* cups_library();

} // namespace vtx::platform
