#include "app/handler_tables.h"

namespace vtx {

namespace {

constexpr std::array<CommandHandler, KW_COUNT> dense_commands() {
    std::array<CommandHandler, KW_COUNT> table{};
    for (auto folder : kCommandTables)
        for (const CommandBinding& b : folder) table[b.keyword] = b.handler;
    return table;
}

constexpr std::array<FunctionHandler, FN_COUNT> dense_functions() {
    std::array<FunctionHandler, FN_COUNT> table{};
    for (auto folder : kFunctionTables)
        for (const FunctionBinding& b : folder) table[b.function] = b.handler;
    return table;
}

} // namespace

// Built while compiling: no start-up work, and no order among static initialisers.
constinit const std::array<CommandHandler, KW_COUNT> kCommandHandlers = dense_commands();
constinit const std::array<FunctionHandler, FN_COUNT> kFunctionHandlers = dense_functions();

} // namespace vtx
