// Script errors: faults of the script itself. Thrown, and caught only at the program entry.
#pragma once

#include <string>

namespace vtx {

// Every script error, once: its id (kErr<id>), its number and its message, exactly as the
// report shows it. The numbers are the order here.
#define VTX32_SCRIPT_ERRORS(X)                                                                     \
    X(NoScript, 0, "failed to find/open script")                                                   \
    X(UnknownCommand, 1, "unknown command")                                                        \
    X(ElseWithoutIf, 2, "ELSE without IF")                                                         \
    X(EndifWithoutIf, 3, "ENDIF without IF")                                                       \
    X(LabelNotFound, 4, "LABEL not found")                                                         \
    X(NestedIf, 5, "too many nested IF's")                                                         \
    X(IfExpression, 6, "error in IF expression")                                                   \
    X(Use, 7, "error in USE statement")                                                            \
    X(UnknownMacro, 8, "unknown macro")                                                            \
    X(TooLong, 9, "expression too long")                                                           \
    X(OutOfMemory, 10, "out of memory")                                                            \
    X(Parameters, 11, "error in parameter(s)")                                                     \
    X(Color, 12, "invalid color argument")                                                         \
    X(RegistryType, 13, "invalid registry type")                                                   \
    X(Expected, 14, "expected expression")                                                         \
    X(NestedWhile, 15, "too many nested WHILE's")                                                  \
    X(LoopWithoutWhile, 16, "LOOP without WHILE")                                                  \
    X(NestedDo, 17, "too many nested DOUNTIL's")                                                   \
    X(UntilWithoutDo, 18, "LOOP without DO")

enum ScriptErrorCode {
#define VTX32_SCRIPT_ERROR_ID(id, number, text) kErr##id,
    VTX32_SCRIPT_ERRORS(VTX32_SCRIPT_ERROR_ID)
#undef VTX32_SCRIPT_ERROR_ID
        kErrCount
};

// The numbers are what scripts and logs see: a line out of order would renumber them.
#define VTX32_SCRIPT_ERROR_NUMBER(id, number, text) static_assert(kErr##id == number);
VTX32_SCRIPT_ERRORS(VTX32_SCRIPT_ERROR_NUMBER)
#undef VTX32_SCRIPT_ERROR_NUMBER

inline constexpr const char* kScriptErrorMessages[kErrCount] = {
#define VTX32_SCRIPT_ERROR_TEXT(id, number, text) text,
    VTX32_SCRIPT_ERRORS(VTX32_SCRIPT_ERROR_TEXT)
#undef VTX32_SCRIPT_ERROR_TEXT
};

struct ScriptError {
    int code;
    explicit ScriptError(int c) : code(c) {}
};

// The message text of a code, exactly as the report shows it; "" for no such code. Inline, so
// the checker reads the texts without linking the report.
inline const char* script_error_message(int code) {
    return code >= 0 && code < kErrCount ? kScriptErrorMessages[code] : "";
}

} // namespace vtx

namespace vtx {

struct Runtime;

// Writes the report of a script error (colours, message, the offending line, the bell),
// closes the redirect file and restores break handling. Returns the exit code, 1.
int report_script_error(Runtime& rt, int code);

// "FILE:LINE: script error: MESSAGE" for the error the run stopped at, as logs show it.
std::string located_error(const Runtime& rt, int code);

} // namespace vtx
