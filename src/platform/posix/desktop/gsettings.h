// Desktop settings through GSettings (GIO, loaded in a time-limited child for each call),
// where GNOME, Cinnamon and MATE keep theirs; the settings backend (dconf) stores them for
// the user.
#pragma once

#include <cstdint>
#include <string>

namespace vtx::platform {

// Sets the text `key` of `schema` and waits until the backend has it: 0; 126 without GIO; 50
// when the schema or the key is not installed; 5 when the key is locked; 1062 when there is
// no settings backend that keeps anything (GIO's in-memory stand-in), or none answers within
// 10 seconds.
int32_t set_gsettings_text(const char* schema, const char* key, const std::string& value);

// True when the schema is installed (false also without GIO).
bool gsettings_schema_exists(const char* schema);

} // namespace vtx::platform
