// Script errors: faults of the script itself. Thrown, and caught only at the program entry.
#pragma once

#include <string>

namespace vtx {

enum ScriptErrorCode {
    kErrNoScript = 0,
    kErrUnknownCommand = 1,
    kErrElseWithoutIf = 2,
    kErrEndifWithoutIf = 3,
    kErrLabelNotFound = 4,
    kErrNestedIf = 5,
    kErrIfExpression = 6,
    kErrUse = 7,
    kErrUnknownMacro = 8,
    kErrTooLong = 9,
    kErrOutOfMemory = 10,
    kErrParameters = 11,
    kErrColor = 12,
    kErrRegistryType = 13,
    kErrExpected = 14,
    kErrNestedWhile = 15,
    kErrLoopWithoutWhile = 16,
    kErrNestedDo = 17,
    kErrUntilWithoutDo = 18,
};

struct ScriptError {
    int code;
    explicit ScriptError(int c) : code(c) {}
};

// The message text of a code, exactly as the report shows it.
const char* script_error_message(int code);

} // namespace vtx

namespace vtx {

struct Runtime;

// Writes the report of a script error (colours, message, the offending line, the bell),
// closes the redirect file and restores break handling. Returns the exit code, 1.
int report_script_error(Runtime& rt, int code);

// "FILE:LINE: script error: MESSAGE" for the error the run stopped at, as logs show it.
std::string located_error(const Runtime& rt, int code);

} // namespace vtx
