// The account's own entry in the domain's directory, read with the user's Kerberos ticket:
// what a Windows workstation learns about a domain account at logon.
#pragma once

#include <cstdint>
#include <string>

namespace vtx::platform {

struct DirectoryFacts {
    std::string script_path;    // the logon-script attribute, as stored
    std::string home_directory; // \\server\share[\folder]
    std::string home_drive;     // "H:"
    std::string display_name;
    std::string description;
    int64_t password_last_set = 0; // 100 ns intervals since 1601; 0 when never set
    int64_t max_password_age = 0;  // the domain's, 100 ns intervals (negative); 0 for none
    bool administrator = false;    // in the domain's Administrators, directly or not
    bool guest = false;            // in the domain's Guests
};

// Seconds a directory lookup may take, all steps together.
inline constexpr int kDirectorySeconds = 5;

// Reads the facts of `user` (the bare account name) from the controller `host` of `realm`.
// 0; 126 when the directory library is missing; 1326 when there is no ticket or the
// directory refused it; 53 when the controller did not answer within kDirectorySeconds;
// 2221 when the directory holds no such account. POSIX: LDAP with SASL GSSAPI, kept for
// the session in the user's runtime folder (a controller that did not answer: for five
// minutes). Windows: 50 (the system does this itself).
int32_t read_directory_facts(const std::string& host, const std::string& realm,
                             const std::string& user, DirectoryFacts& facts);

// True when the user holds a Kerberos ticket cache with a principal in it (POSIX: the
// Kerberos library, loaded at first use); false on Windows and without the library.
bool kerberos_ticket_held();

} // namespace vtx::platform
