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
    enum Kind : uint8_t { kNone, kSeen, kAssign, kIf, kElse, kEndif, kWhile, kLoop };
    Kind kind = kNone;
    // kAssign: `$target = ...` whose value starts at `operand_at`; with `appends`, the value
    // is `$target + ...` of plain operands, appended in place while the target is a string.
    Variable* target = nullptr;
    bool appends = false;
    // kAssign with `appends`: the scans of the operands after "$target +", and where the token
    // that ends the expression starts (and whether it ends the text).
    std::vector<CachedToken*> operands;
    uint32_t next_at = 0;
    bool ends_text = false;
    // The reading position after the keyword or the "=": where the condition or value starts.
    uint32_t operand_at = 0;
    // A skip over the part not taken (kIf, kElse, kWhile), learnt when first done: the reading
    // position after the token that ended it, whether that was the end of the text, and the
    // block level it left, relative.
    // The compiled expression last found at `value_at` (a LOOP's condition is its WHILE's).
    mutable uint32_t value_at = UINT32_MAX;
    mutable const CompiledExpression* value = nullptr;
    mutable bool skip_known = false;
    mutable bool skip_ends_text = false;
    mutable uint32_t skip_to = 0;
    mutable int skip_delta = 0;
};

// With the reading position at the start of a statement: runs it from its compiled form and
// leaves the tokenizer and the blocks exactly as the interpreter would. Returns false,
// having changed nothing, when the statement there has no compiled form or its guard fails.
bool run_compiled_statement(Runtime& rt, ScriptRun& run);

} // namespace vtx
