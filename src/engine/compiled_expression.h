// Integer expressions compiled once per script position, so that loops do not re-parse them.
//
// The interpreter re-reads the script text whenever control passes over it. An expression
// made only of numbers, existing variables, parentheses and the integer operators means the
// same thing every time it is read, except that its type follows the kind of its first
// variable; that kind is checked on every run, and any change falls back to the parser.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/integer_rules.h"
#include "engine/runtime.h"
#include "engine/variables.h"

namespace vtx {

struct CompiledExpression {
    // The comparisons follow the order of their token kinds, from TK_EQUAL.
    enum Op : uint8_t {
        kConst,
        kVar,
        kNeg,
        kAdd,
        kSub,
        kMul,
        kDiv,
        kEqual,
        kLess,
        kGreater,
        kLessEqual,
        kGreaterEqual,
        kNotEqual,
        kAnd,
        kOr,
        kDivShift // `/` by a power of two, its exponent the operand: a shift, rounded as `/`
    };
    // Where a binary operator finds its right operand: on the stack, or, when that operand
    // is a number or a variable pushed just before it, in the operator's own step.
    enum Source : uint8_t { kStacked, kConstant, kVariable };
    struct Step {
        Op op;
        Source source;
        // Where the stack machine goes for it, `op * 3 + source`; kEnd after the last step.
        uint8_t code;
        // A variable that decided the expression's type: its value must still be an integer.
        bool guarded;
        int32_t value; // a number's value
        const Variable* variable;
    };
    // Its value, or kFails when a guarded variable is no longer an integer. Chosen when
    // compiled: the common shapes (`$i`, `$i + 1`, `$i < $n`) have runners of their own, with
    // the operator fixed, and skip the stack machine.
    static constexpr uint8_t kEnd = (kDivShift + 1) * 3;
    using Value = int64_t;
    static constexpr Value kFails = INT64_MIN;
    using Runner = Value (*)(const CompiledExpression&);
    Runner run = nullptr;
    std::vector<Step> steps; // postfix order
    // Its first two steps, read by the runners of the common shapes without going through
    // `steps`: one memory read less on the way to the first variable.
    Step head[2] = {};
    uint32_t end_from = 0; // the reading position after the last operand
    // Where the token that ends the expression starts, and whether it is the end of the text:
    // where a statement made of this expression hands over to the next.
    uint32_t next_at = 0;
    bool ends_text = false;

    // Inline in the runners: they are the inner loop of every compiled loop. A variable
    // holding a string is the rare case, kept out of line.
    [[gnu::always_inline]] static Value variable_value(const Step& s) {
        if (s.variable->kind == KIND_INTEGER) [[likely]]
            return s.variable->number;
        return string_value(s);
    }
    [[gnu::noinline]] static Value string_value(const Step& s);
    [[gnu::always_inline]] static int32_t apply(Op op, int32_t a, int32_t b) {
        switch (op) {
        case kAdd: return int32_t(uint32_t(a) + uint32_t(b));
        case kSub: return int32_t(uint32_t(a) - uint32_t(b));
        case kMul: return int32_t(uint32_t(a) * uint32_t(b));
        case kDiv: return divide(a, b);
        // The parser's rule, with the token a constant: each folds to one comparison.
        case kEqual: return compare_integers(TK_EQUAL, a, b);
        case kLess: return compare_integers(TK_LESS, a, b);
        case kGreater: return compare_integers(TK_GREATER, a, b);
        case kLessEqual: return compare_integers(TK_LESS_EQUAL, a, b);
        case kGreaterEqual: return compare_integers(TK_GREATER_EQUAL, a, b);
        case kNotEqual: return compare_integers(TK_NOT_EQUAL, a, b);
        case kAnd: return a != 0 && b != 0;
        case kDivShift: return (a + ((a >> 31) & ((1 << b) - 1))) >> b;
        default: return a != 0 || b != 0; // kOr
        }
    }
};

// Sentinel for a position whose expression cannot be compiled.
extern const CompiledExpression kNotCompiled;

// With the reading position at the start of an expression: evaluates it from its compiled
// form and leaves the tokenizer exactly as the parser would. Returns false (having changed
// nothing) when the expression there is not a compilable integer expression.
bool evaluate_compiled(Runtime& rt, int32_t& number);

// The compiled form of the integer expression that starts at reading position `at`,
// compiling it on first use; null when it has none. The tokenizer is left as it was.
// Inline: a LOOP asks for its condition on every turn.
const CompiledExpression* compile_at(Runtime& rt, uint32_t at);
inline const CompiledExpression* expression_at(Runtime& rt, uint32_t at) {
    const CompiledExpression* c = rt.tok.script()->cache[at].expression;
    if (!c) c = compile_at(rt, at);
    return c == &kNotCompiled ? nullptr : c;
}
// Its value, when the variables it relies on are still integers.
[[gnu::always_inline]] inline bool run_guarded(const CompiledExpression& c, int32_t& number) {
    CompiledExpression::Value v = c.run(c);
    if (v == CompiledExpression::kFails) return false;
    number = int32_t(v);
    return true;
}

} // namespace vtx
