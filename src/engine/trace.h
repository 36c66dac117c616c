// The trace (VTX32_TRACE): what runs, line by line, on standard error.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vtx {

struct Runtime;

// The trace level the environment asks for: 0 when VTX32_TRACE is unset, "" or "0"; 2 for
// exactly "2" (statements and their values); 1 for anything else.
int trace_requested();

// "FILE:LINE" of a position in the innermost running script ("" when none runs).
std::string script_location(const Runtime& rt, uint32_t pos);

// "FILE:LINE: statement text" for the statement that starts at `start`: its line from there
// on, without trailing blanks.
void trace_statement(Runtime& rt, uint32_t start);

// Level 2: a value a statement used (an argument, a condition, an assigned value), as it
// was evaluated; a password's shows as ***.
void trace_value(Runtime& rt, int kind, int32_t number, std::string_view text);

// Level 2: one argument of a call, appended to `list` as the trace shows values.
void trace_argument(std::string& list, int kind, int32_t number, std::string_view text);

// Level 2: a call of a function or command with its arguments, as "NAME(arguments)".
void trace_call(Runtime& rt, std::string_view name, std::string_view arguments);

// Level 2: the value just given to a variable, in place of the value traced last.
void trace_assignment(Runtime& rt, std::string_view name, int kind, int32_t number,
                      std::string_view text);

// Level 2: "FILE:LINE: -> values" for the statement traced last, once.
void trace_values(Runtime& rt);

// Marks the values evaluated while it lives as a password's.
struct TraceSecret {
    Runtime& rt;
    explicit TraceSecret(Runtime& r);
    ~TraceSecret();
};

// "@ERROR=N" when @ERROR differs from what the trace showed last.
void trace_error(Runtime& rt);

} // namespace vtx
