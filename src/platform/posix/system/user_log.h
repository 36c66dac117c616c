// Records an administrator reads afterwards: appended to a file in the user's state folder
// and sent to the user's journal when there is one.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace vtx::platform {

struct LogRecord {
    std::string message;                                     // one line saying what happened
    std::vector<std::pair<std::string, std::string>> fields; // in order; a name may repeat
};

// $XDG_STATE_HOME/vtx32/NAME, $XDG_STATE_HOME defaulting to ~/.local/state; empty when
// neither it nor HOME is set.
std::string user_log_path(const std::string& name);

// The record as the file holds it: a line with the time and the message, then one indented
// "name: value" line per field. Control characters in values become blanks, so a value
// cannot forge a record.
std::string log_record_text(const LogRecord& record, const std::string& time);

// Appends the record to user_log_path(name) (folders made, 0700) and sends it to the
// journal under the identifier vtx32, the fields as VTX32_NAME (libsystemd loaded at first
// use; nothing when it or the journal is missing). 0, or the errno of the file write.
int write_user_log(const std::string& name, const LogRecord& record);

} // namespace vtx::platform
