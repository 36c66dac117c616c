// The rules that turn raw platform facts into the user-information record; shared by
// both builds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/user_info.h"
#include "platform/user.h"

namespace vtx {

// Stores `text` into a field `width` bytes wide: over-long texts lose their tail, so the
// field keeps the first width - 1 bytes.
void store_field(std::string& field, std::string_view text, std::size_t width);

// Whole days rounded to nearest (129600 s gives 2, 43199 s gives 0).
int32_t password_age_days(uint32_t seconds);
// Whole days, truncated; 0 when there is no limit or the limit is not above `password_age`.
int32_t max_password_age_days(uint32_t seconds, int32_t password_age);

// "\\SERVER" for a server name given with or without its leading backslashes.
std::string logon_server_text(std::string_view name);

// logon_server = \\ and the server's name; logon_drive = its NETLOGON share, as Windows
// NT writes it (\\DC1\NETLOGON\).
void store_logon_server(std::string_view name, UserInfo& user);

// Copies home_dir into home_share, then splits a home directory on a share:
// \\SRV\USERS\JDOE gives home_share \\SRV\USERS and home_dir JDOE.
void split_home_share(UserInfo& user);

// Twelve upper-case hexadecimal digits.
std::string adapter_address_text(const uint8_t (&bytes)[6]);
// "%3u.%3u.%3u.%3u" of the four bytes in network order.
std::string ip_address_text(const std::array<uint8_t, 4>& bytes);

// When the last component of a connection's remote name is NETLOGON (any case): true,
// with the text before that backslash (\\SERVER) in `server`.
bool netlogon_server(std::string_view remote_name, std::string& server);

// The helper library's answer: consecutive zero-terminated texts in record order, then the
// group count and the group names. Reading never passes the end of `answer`.
void read_helper_answer(std::string_view answer, UserInfo& user);

// The account path's facts into the record, each text cut to its field.
void store_account_facts(const platform::AccountFacts& facts, UserInfo& user);

} // namespace vtx
