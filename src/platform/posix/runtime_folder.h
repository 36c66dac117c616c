// The user's runtime folder ($XDG_RUNTIME_DIR) and what in it may be believed. Another user
// who can write there could plant a drive letter, a share's folder or a link in place of a
// state file, so only what the user owns, in a folder only the user can reach, is trusted.
#pragma once

#include <string>

namespace vtx::platform {

// $XDG_RUNTIME_DIR when it is an absolute path to a folder the user owns with mode 0700;
// "" otherwise (then there is no session to keep anything in). A folder that is there but
// not trusted is reported on standard error once per run, with the reason.
std::string trusted_runtime_folder();

// True when `path`, not followed if it is a link, is the user's own. Inside the trusted
// folder only the user (or root) can have put anything, so the owner says which.
bool owned_by_user(const std::string& path);

} // namespace vtx::platform
