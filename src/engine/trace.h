// The trace (VTX32_TRACE): what runs, line by line, on standard error.
#pragma once

#include <cstdint>
#include <string>

namespace vtx {

struct Runtime;

// True when the environment asks for the trace: VTX32_TRACE set to anything but "" or "0".
bool trace_requested();

// "FILE:LINE" of a position in the innermost running script ("" when none runs).
std::string script_location(const Runtime& rt, uint32_t pos);

// "FILE:LINE: statement text" for the statement that starts at `start`: its line from there
// on, without trailing blanks.
void trace_statement(const Runtime& rt, uint32_t start);

// "@ERROR=N" when @ERROR differs from what the trace showed last.
void trace_error(Runtime& rt);

} // namespace vtx
