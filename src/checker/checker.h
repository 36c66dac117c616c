// The checker: reads scripts as the interpreter would and reports the language's traps
// without running a single statement.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "checker/finding.h"

namespace vtx {

struct ScriptSource;

// A CALL of a script by a literal name, and where it stands.
struct CalledScript {
    std::string name;
    uint32_t line, column;
    bool every_run = false; // outside any block, with no GOTO or EXIT that could pass it by
};

// The kinds a variable is given, as a set of bits.
enum AssignedKind : unsigned { kAssignedText = 1, kAssignedNumber = 2, kAssignedOther = 4 };

// What one script tells about the scripts it runs with: its CALLs and its variables, by
// significant (cut and folded) name.
struct ScriptFacts {
    std::vector<CalledScript> calls;
    bool unknown_call = false; // a CALL whose script is named only when it runs
    std::map<std::string, unsigned> assigned;
    struct Read {
        std::string key, name; // significant name; as written
        uint32_t line, column;
        bool in_text;
    };
    std::vector<Read> reads;
    // An ordering comparison of a lone variable with a literal of one kind.
    struct Ordering {
        std::string key, name;
        uint32_t line, column;
        bool literal_is_number;
        bool variable_first;
    };
    std::vector<Ordering> orderings;
};

// Checks one loaded script; its findings carry `name`. What it tells about the others
// goes to `facts`.
void check_source(const std::string& name, const ScriptSource& source, Findings& out,
                  ScriptFacts& facts);

// Checks each script and, once each, every script they CALL by literal name (looked for
// as the interpreter looks without a logon share: relative to the current folder).
// `defined` are the variables the command line will give (`$name` or `$name=value`).
Findings check_scripts(const std::vector<std::string>& names,
                       const std::vector<std::string>& defined = {});

// The significant part of a variable name, as the interpreter compares names.
std::string variable_key(std::string_view name);

} // namespace vtx
