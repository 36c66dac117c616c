// Which script a logon runs, from the account's logon-script attribute: the rules a Windows
// workstation applies to it, with every name kept inside the logon share.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vtx {

// Longest attribute taken; a longer one is refused whole rather than cut.
inline constexpr std::size_t kMaxLogonAttribute = 1024;

struct LogonChoice {
    enum class Kind { kNone, kProgram, kScript, kBatch, kRefused };
    Kind kind = Kind::kNone;
    std::string file;              // kScript, kBatch: relative to the logon share
    std::vector<std::string> args; // kProgram, kScript: the program's arguments after it
    std::string why;               // kRefused
};

// The attribute's form: the program's own name (any case, any path) with its arguments,
// a batch file (.bat, .cmd), a script file with arguments, or nothing when it is blank.
LogonChoice choose_logon_script(std::string_view attribute);

// Why `name` may not be opened on the logon share (a drive, an absolute or UNC path, a
// `..` step); empty when it stays inside.
std::string refused_share_name(std::string_view name);

// True for the program's own name with or without a path: VTX32 or VTX32.EXE, any case.
bool is_program_word(std::string_view word);

// One line of a logon batch file, after `%NAME%` is replaced from the environment (unknown
// names by nothing, `%%` by `%`).
struct BatchLine {
    enum class Kind { kSilent, kSkipped, kRun };
    Kind kind = Kind::kSilent;
    std::vector<std::string> args; // kRun: the arguments after the program's name
    std::string text;              // kSkipped: the expanded line, for the log
};
// `%NAME%` expands by the script language's own rule, so both agree on names' case.
BatchLine read_batch_line(std::string_view line);

} // namespace vtx
