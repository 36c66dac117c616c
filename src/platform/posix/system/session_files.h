// Files that live as long as the user's login session: in the runtime folder, named for the
// session (XDG_SESSION_ID; without one, the runtime folder's own lifetime is the session).
#pragma once

#include <map>
#include <string>

namespace vtx::platform {

// $XDG_RUNTIME_DIR/vtx32/STEM-SESSION, its folder made (0700) when missing; empty when
// there is no runtime folder.
std::string session_file(const std::string& stem);

// Takes the once-per-session mark `path` by exclusive create, so of several runs started
// together exactly one gets it: 0 when taken here, EEXIST when taken before, else errno.
int take_session_mark(const std::string& path);

// Lines of `name=value` (values on one line) and back; the reader skips malformed lines.
std::string write_fields(const std::map<std::string, std::string>& fields);
std::map<std::string, std::string> read_fields(const std::string& text);

} // namespace vtx::platform
