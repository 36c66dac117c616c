// The built-in functions that scripts call as NAME(arguments) inside expressions.
#pragma once

#include <string>
#include <string_view>

namespace vtx {

struct Runtime;

// A handler reads its own argument list (arguments_by_signature), appends its result text
// to `result` and returns with the closing ")" as the current token.
using FunctionHandler = void (*)(Runtime& rt, std::string& result);

struct FunctionEntry {
    const char* name;
    FunctionHandler handler;
    int kind; // KIND_INTEGER or KIND_STRING
    // The argument letters the handler reads (arguments_by_signature): S text, I or L
    // number, lower case optional. The checker reads argument lists by it.
    const char* signature;
};

inline constexpr int kFunctionCount = 38;
extern const FunctionEntry kFunctions[kFunctionCount];

// Position of the function named `word` (case-blind, whole name), or -1.
int find_function(std::string_view word);
int function_kind(int index);
void call_function(Runtime& rt, int index, std::string& result);

} // namespace vtx
