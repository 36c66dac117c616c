// The host name and the first four IP addresses, looked up once on first use.
#pragma once

namespace vtx {

struct Runtime;

// Sets the lookup-done flag first, then fills host_name and ip_address[0..3].
void lookup_ip_addresses(Runtime& rt);

} // namespace vtx
