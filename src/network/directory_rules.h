// A domain account's facts from the domain's directory, as a Windows workstation reads them
// at logon: the logon script, the home folder and drive, the names and password ages, and
// the domain's Administrators and Guests.
#pragma once

#include <cstdint>

#include "engine/user_info.h"
#include "platform/directory.h"

namespace vtx {

// The directory's facts into the record. `now` is the time in 100 ns intervals since 1601.
// home_dir gets the whole home directory (the caller splits it, as for the account path).
void store_directory_facts(const platform::DirectoryFacts& facts, int64_t now, UserInfo& user);

} // namespace vtx
