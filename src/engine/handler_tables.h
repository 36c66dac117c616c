// The handlers of commands and functions, bound by id. Each folder keeps a small table of the
// handlers it defines; app/handler_tables.cpp assembles them into the dense tables below.
#pragma once

#include <array>
#include <string>

#include "engine/functions.h"
#include "engine/tokens.h"

namespace vtx {

struct Runtime;

// Starts with its keyword current.
using CommandHandler = void (*)(Runtime& rt);
// Reads its own argument list (function_arguments), appends its result text to `result`
// and returns with the closing ")" as the current token.
using FunctionHandler = void (*)(Runtime& rt, std::string& result);

struct CommandBinding {
    Keyword keyword;
    CommandHandler handler;
};
struct FunctionBinding {
    Function function;
    FunctionHandler handler;
};

// Indexed by keyword: null for control keywords and parts.
extern const std::array<CommandHandler, KW_COUNT> kCommandHandlers;
// Indexed by function.
extern const std::array<FunctionHandler, FN_COUNT> kFunctionHandlers;

inline void call_function(Runtime& rt, int index, std::string& result) {
    kFunctionHandlers[index](rt, result);
}

} // namespace vtx
