// The checker: reads scripts as the interpreter would and reports the language's traps
// without running a single statement.
#pragma once

#include <string>
#include <vector>

#include "checker/finding.h"

namespace vtx {

struct ScriptSource;

// A CALL of a script by a literal name, and where it stands.
struct CalledScript {
    std::string name;
    uint32_t line, column;
};

// Checks one loaded script; its findings carry `name`. The scripts it CALLs by a literal
// name are appended to `calls`.
void check_source(const std::string& name, const ScriptSource& source, Findings& out,
                  std::vector<CalledScript>& calls);

// Checks each script and, once each, every script they CALL by literal name (looked for
// as the interpreter looks without a logon share: relative to the current folder).
Findings check_scripts(const std::vector<std::string>& names);

} // namespace vtx
