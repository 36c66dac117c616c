// The one step that makes the user-information record from its sources: every rule (field
// widths, the logon server's text, password ages, privilege, the home share) applied in
// order. Pure: the same sources give the same record.
#pragma once

#include "engine/user_info.h"
#include "network/user_sources.h"

namespace vtx {

// The record as far as `sources` have been read; a source not read leaves its fields empty.
UserInfo assemble_user_info(const UserSources& sources);

// The home directory the sources settle on, whole (before its share is split off): the one
// whose short form sources.home holds.
std::string whole_home_dir(const UserSources& sources);

// The NETLOGON connection the Windows 95 line takes the logon server from: the last
// connection to a NETLOGON share gives the server, the last with a local name the drive.
struct NetlogonConnection {
    bool found = false;
    std::string server; // \\SERVER, cut to its field
    std::string drive;  // Z:, cut to its field; empty when no such connection had a local name
};
NetlogonConnection netlogon_connection(const std::vector<platform::Connection>& connections);

} // namespace vtx
