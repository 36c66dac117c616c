// Integer expressions compiled once per script position, so that loops do not re-parse them.
//
// The interpreter re-reads the script text whenever control passes over it. An expression
// made only of numbers, existing variables, parentheses and the integer operators means the
// same thing every time it is read, except that its type follows the kind of its first
// variable; that kind is checked on every run, and any change falls back to the parser.
#pragma once

#include <cstdint>
#include <vector>

namespace vtx {

struct Runtime;
struct Variable;

struct CompiledExpression {
    enum Op : uint8_t { kConst, kVar, kNeg, kAdd, kSub, kMul, kDiv, kCompare, kAnd, kOr };
    struct Step {
        Op op;
        int8_t comparison; // the token kind of a kCompare
        int32_t value;     // a kConst's value
        const Variable* variable;
    };
    std::vector<Step> steps;               // postfix order
    std::vector<const Variable*> integers; // first operands that must still be integers
    uint32_t end_from = 0;                 // the reading position after the last operand
    // Where the token that ends the expression starts, and whether it is the end of the text:
    // where a statement made of this expression hands over to the next.
    uint32_t next_at = 0;
    bool ends_text = false;
};

// Sentinel for a position whose expression cannot be compiled.
extern const CompiledExpression kNotCompiled;

// With the reading position at the start of an expression: evaluates it from its compiled
// form and leaves the tokenizer exactly as the parser would. Returns false (having changed
// nothing) when the expression there is not a compilable integer expression.
bool evaluate_compiled(Runtime& rt, int32_t& number);

// The compiled form of the integer expression that starts at reading position `at`,
// compiling it on first use; null when it has none. The tokenizer is left as it was.
const CompiledExpression* expression_at(Runtime& rt, uint32_t at);
// Its value, when the variables it relies on are still integers.
bool run_guarded(const CompiledExpression& c, int32_t& number);

} // namespace vtx
