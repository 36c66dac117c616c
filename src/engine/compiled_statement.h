// Statements compiled once per script position, so that loops do not re-read them.
//
// The script text never changes once loaded, so what a statement is at a position stays
// true: an assignment, a block keyword, the extent of a block that is skipped. What can
// change is the kind of a variable; every compiled form re-checks the kinds it relies on
// and falls back to the interpreter, having changed nothing, when they differ.
#pragma once

#include <cstdint>
#include <vector>

namespace vtx {

struct Runtime;
struct ScriptRun;
struct Variable;
struct CompiledExpression;
struct CachedToken;

struct CompiledStatement {
    enum Kind : uint8_t {
        kNone,
        kSeen,
        kAssign,     // `$target = value`
        kExpression, // an integer expression, written out
        kText,       // "literal" + operands ..., written out
        kIf,
        kElse,
        kEndif,
        kWhile,
        kLoop,
        kDo,
        kUntil
    };
    Kind kind = kNone;
    // kAssign: `$target = ...` whose value starts at `operand_at`; with `appends`, the value
    // is `$target + ...` of plain operands, appended in place while the target is a string.
    Variable* target = nullptr;
    bool appends = false;
    // kText, and kAssign with `appends`: the scans of the plain operands joined by "+" (after
    // "$target +" for an append), where the token that ends them starts and whether it ends
    // the text.
    std::vector<CachedToken*> operands;
    uint32_t next_at = 0;
    bool ends_text = false;
    // The reading position after the keyword or the "=", or the statement's own start for an
    // expression: where the condition or value starts.
    uint32_t operand_at = 0;
    // The compiled expression at `operand_at`, found when the statement is compiled; null
    // when it has none.
    const CompiledExpression* value = nullptr;
    // A skip over the part not taken (kIf, kElse, kWhile), learnt when first done: the reading
    // position after the token that ended it, whether that was the end of the text, and the
    // block level it left, relative.
    mutable bool skip_known = false;
    mutable bool skip_ends_text = false;
    mutable uint32_t skip_to = 0;
    mutable int skip_delta = 0;
    // The compiled statements that run next, found on first use: [0] where reading goes on
    // after the value or condition, [1] after the part skipped (kIf, kWhile), after the loop
    // (kLoop) or after the appended operands (kAssign). A position's compiled statement never
    // changes, so neither do these.
    mutable const CompiledStatement* next[2] = {nullptr, nullptr};
    // kLoop: the block position its condition and next[0] were found for.
    mutable uint32_t loop_from = UINT32_MAX;
    mutable const CompiledExpression* loop_condition = nullptr;
};

// Runs statements from their compiled forms, from the reading position on, leaving the
// tokenizer and the blocks exactly as the interpreter would. Stops at the first statement
// that has no compiled form or whose guard fails, having changed nothing for it, or after a
// statement that ended the text. Returns the number of statements run.
uint64_t run_compiled_statements(Runtime& rt, ScriptRun& run, uint64_t most);

} // namespace vtx
