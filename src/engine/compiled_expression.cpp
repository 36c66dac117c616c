// The integer rules of the grammar in evaluator.cpp (int-logic down to int-primary) compiled
// into a small stack program; whatever the compiler does not take stays with the parser.
// tests/fuzz/fuzz_expression.cpp and the parity stage of scripts/test (the corpus run with
// nothing compiled) prove that both give the same values, errors and end tokens.
#include "engine/compiled_expression.h"

#include <algorithm>
#include <array>
#include <bit>
#include <memory>
#include <utility>

#include "engine/runtime.h"
#include "engine/text.h"

namespace vtx {

const CompiledExpression kNotCompiled{};

static_assert(CompiledExpression::kNotEqual - CompiledExpression::kEqual ==
                      TK_NOT_EQUAL - TK_EQUAL &&
                  CompiledExpression::kGreaterEqual - CompiledExpression::kEqual ==
                      TK_GREATER_EQUAL - TK_EQUAL,
              "comparison operators follow their token kinds");

namespace {

// Nesting deeper than this (parentheses, AND/OR operands) is left to the parser, which owns
// the depth limit.
constexpr int kMaxCompiledDepth = 32;
// Operands waiting on the stack: at most a few per nesting level.
constexpr int kMaxStack = 4 * kMaxCompiledDepth + 8;

// Mirrors the parser's integer chain token for token; any construct it does not handle
// (strings, macros, functions, unknown variables, empty operands) abandons the compile.
class Compiler {
  public:
    Compiler(Runtime& rt, CompiledExpression& out) : rt_(rt), t_(rt.tok), out_(out) {}

    bool expression() {
        t_.next_token();
        if (!integer_first_operand()) return false;
        return logic();
    }

  private:
    Runtime& rt_;
    Tokenizer& t_;
    CompiledExpression& out_;
    int depth_ = 0;
    bool guard_next_ = false; // the next operand is the variable the type look-ahead read

    void emit(CompiledExpression::Op op, int32_t value = 0, const Variable* v = nullptr) {
        out_.steps.push_back({op, CompiledExpression::kStacked, 0, guard_next_ && v, value, v});
        guard_next_ = false;
    }

    // The type look-ahead: the expression must be an integer one, through its parentheses.
    bool integer_first_operand() {
        Tokenizer::Mark saved = t_.mark();
        while (t_.kind() == TK_LEFT_PAREN) t_.next_token();
        bool ok = t_.kind() == TK_NUMBER || t_.kind() == TK_PLUS || t_.kind() == TK_MINUS;
        if (t_.kind() == TK_VARIABLE) {
            const Variable* v = rt_.vars.find(t_.token);
            ok = v && v->kind == KIND_INTEGER;
            guard_next_ = ok;
        }
        t_.rewind(saved);
        return ok;
    }

    bool logic() {
        if (!comparison()) return false;
        if (t_.kind() != KW_AND && t_.kind() != KW_OR) return true;
        // The right operand is a whole new expression with its own type look-ahead; it
        // swallows every further AND and OR, so there is at most one here.
        auto op = t_.kind() == KW_AND ? CompiledExpression::kAnd : CompiledExpression::kOr;
        if (++depth_ > kMaxCompiledDepth || !expression()) return false;
        emit(op);
        return t_.kind() != KW_AND && t_.kind() != KW_OR;
    }

    bool comparison() {
        if (!additive()) return false;
        if (!is_comparison(t_.kind())) return true;
        auto op = CompiledExpression::Op(CompiledExpression::kEqual + (t_.kind() - TK_EQUAL));
        t_.next_token();
        if (!additive()) return false;
        emit(op);
        return true;
    }

    bool additive() {
        if (!multiplicative()) return false;
        while (t_.kind() == TK_PLUS || t_.kind() == TK_MINUS) {
            auto op = t_.kind() == TK_PLUS ? CompiledExpression::kAdd : CompiledExpression::kSub;
            t_.next_token();
            if (!multiplicative()) return false;
            emit(op);
        }
        return true;
    }

    bool multiplicative() {
        if (!unary()) return false;
        while (t_.kind() == TK_STAR || t_.kind() == TK_SLASH) {
            auto op = t_.kind() == TK_STAR ? CompiledExpression::kMul : CompiledExpression::kDiv;
            t_.next_token();
            if (!unary()) return false;
            emit(op);
        }
        return true;
    }

    bool unary() {
        bool negate = t_.kind() == TK_MINUS;
        if (t_.kind() == TK_PLUS || t_.kind() == TK_MINUS) t_.next_token();
        if (!parenthesis()) return false;
        if (negate) emit(CompiledExpression::kNeg);
        return true;
    }

    bool parenthesis() {
        if (t_.kind() != TK_LEFT_PAREN) return primary();
        if (++depth_ > kMaxCompiledDepth) return false;
        t_.next_token();
        if (!logic() || t_.kind() != TK_RIGHT_PAREN) return false;
        --depth_;
        t_.next_token();
        return true;
    }

    bool primary() {
        if (t_.kind() == TK_NUMBER) {
            emit(CompiledExpression::kConst, t_.number());
        } else if (t_.kind() == TK_VARIABLE) {
            const Variable* v = rt_.vars.find(t_.token);
            if (!v) return false; // a later assignment would change what it reads
            emit(CompiledExpression::kVar, 0, v);
        } else {
            return false;
        }
        t_.next_token();
        return true;
    }
};

bool is_operand(const CompiledExpression::Step& s) {
    return s.op <= CompiledExpression::kVar;
}

int stack_needed(const CompiledExpression& c) {
    int depth = 0, most = 0;
    for (const CompiledExpression::Step& s : c.steps) {
        if (is_operand(s))
            most = std::max(most, ++depth);
        else if (s.op != CompiledExpression::kNeg)
            --depth;
    }
    return most;
}

// An operand pushed only to be taken by the operator right after it becomes that operator's
// own: `$i 2 / 2 * $i =` runs as `$i /2 *2 =$i`.
void fuse_operands(std::vector<CompiledExpression::Step>& steps) {
    std::size_t kept = 0;
    for (std::size_t i = 0; i < steps.size(); ++i) {
        CompiledExpression::Step s = steps[i];
        if (s.op > CompiledExpression::kNeg && kept > 1 && is_operand(steps[kept - 1])) {
            const CompiledExpression::Step& right = steps[--kept];
            s.source = right.op == CompiledExpression::kConst ? CompiledExpression::kConstant
                                                              : CompiledExpression::kVariable;
            s.guarded = right.guarded;
            s.value = right.value;
            s.variable = right.variable;
            if (s.op == CompiledExpression::kDiv && s.source == CompiledExpression::kConstant &&
                s.value > 1 && (s.value & (s.value - 1)) == 0) {
                s.op = CompiledExpression::kDivShift;
                s.value = std::countr_zero(uint32_t(s.value));
            }
        }
        s.code = uint8_t(s.op * 3 + s.source);
        steps[kept++] = s;
    }
    steps.resize(kept);
    steps.push_back({CompiledExpression::kConst, CompiledExpression::kStacked,
                     CompiledExpression::kEnd, false, 0, nullptr});
}

// The top of the stack is held apart, in `top`; `below` holds the rest. Each step jumps
// straight to the next one's code (a GNU extension that every compiler of this tree has), so
// that each kind of step predicts its own successor.
CompiledExpression::Value run_stack(const CompiledExpression& c) {
    using E = CompiledExpression;
#define VTX_TARGETS(op) &&op##_stacked, &&op##_constant, &&op##_variable
    // clang-format off
    static const void* const kTargets[] = {
        &&push_const, &&unused, &&unused,
        &&push_var, &&unused, &&unused,
        &&negate, &&unused, &&unused,
        VTX_TARGETS(kAdd), VTX_TARGETS(kSub), VTX_TARGETS(kMul), VTX_TARGETS(kDiv),
        VTX_TARGETS(kEqual), VTX_TARGETS(kLess), VTX_TARGETS(kGreater),
        VTX_TARGETS(kLessEqual), VTX_TARGETS(kGreaterEqual), VTX_TARGETS(kNotEqual),
        VTX_TARGETS(kAnd), VTX_TARGETS(kOr), VTX_TARGETS(kDivShift),
        &&end};
    // clang-format on
#undef VTX_TARGETS
    static_assert(sizeof(kTargets) / sizeof(kTargets[0]) == E::kEnd + 1u);
    int32_t below[kMaxStack];
    int depth = 0;
    // Postfix order starts with an operand.
    const E::Step* step = c.steps.data();
    E::Value v = step->op == E::kConst ? step->value : c.variable_value(*step);
    if (v == E::kFails) return v;
    int32_t top = int32_t(v);
#define VTX_NEXT goto* kTargets[(++step)->code]
    VTX_NEXT;
push_const:
    below[depth++] = top;
    top = step->value;
    VTX_NEXT;
push_var:
    below[depth++] = top;
    if ((v = c.variable_value(*step)) == E::kFails) return E::kFails;
    top = int32_t(v);
    VTX_NEXT;
negate:
    top = int32_t(0u - uint32_t(top));
    VTX_NEXT;
#define VTX_BINARY_STEP(op)                                                                        \
    op##_stacked : top = c.apply(E::op, below[--depth], top);                                      \
    VTX_NEXT;                                                                                      \
    op##_constant : top = c.apply(E::op, top, step->value);                                        \
    VTX_NEXT;                                                                                      \
    op##_variable : if ((v = c.variable_value(*step)) == E::kFails) return E::kFails;              \
    top = c.apply(E::op, top, int32_t(v));                                                         \
    VTX_NEXT;
    VTX_BINARY_STEP(kAdd)
    VTX_BINARY_STEP(kSub)
    VTX_BINARY_STEP(kMul)
    VTX_BINARY_STEP(kDiv)
    VTX_BINARY_STEP(kEqual)
    VTX_BINARY_STEP(kLess)
    VTX_BINARY_STEP(kGreater)
    VTX_BINARY_STEP(kLessEqual)
    VTX_BINARY_STEP(kGreaterEqual)
    VTX_BINARY_STEP(kNotEqual)
    VTX_BINARY_STEP(kAnd)
    VTX_BINARY_STEP(kOr)
    VTX_BINARY_STEP(kDivShift)
#undef VTX_BINARY_STEP
#undef VTX_NEXT
unused: // codes are made only by fuse_operands
end:
    return top;
}

CompiledExpression::Value run_number(const CompiledExpression& c) {
    return c.head[0].value;
}

CompiledExpression::Value run_variable(const CompiledExpression& c) {
    return c.variable_value(c.head[0]);
}

// `$i + 1`, `$i < $n`: a variable and an operator with its operand, both known here.
template <CompiledExpression::Op op, CompiledExpression::Source source>
CompiledExpression::Value run_binary(const CompiledExpression& c) {
    const CompiledExpression::Step* s = c.head;
    CompiledExpression::Value a = c.variable_value(s[0]), b = s[1].value;
    if (a == CompiledExpression::kFails) return a;
    if constexpr (source == CompiledExpression::kVariable)
        if ((b = c.variable_value(s[1])) == CompiledExpression::kFails) return b;
    return c.apply(op, int32_t(a), int32_t(b));
}

template <CompiledExpression::Source source, std::size_t... op>
constexpr std::array<CompiledExpression::Runner, sizeof...(op)>
binary_runners(std::index_sequence<op...>) {
    return {run_binary<CompiledExpression::Op(op), source>...};
}
constexpr auto kWithConstant = binary_runners<CompiledExpression::kConstant>(
    std::make_index_sequence<CompiledExpression::kDivShift + 1>());
constexpr auto kWithVariable = binary_runners<CompiledExpression::kVariable>(
    std::make_index_sequence<CompiledExpression::kDivShift + 1>());

// After fuse_operands, with the end step last.
CompiledExpression::Runner runner_for(const std::vector<CompiledExpression::Step>& s) {
    if (s.size() == 2) return s[0].op == CompiledExpression::kConst ? run_number : run_variable;
    if (s.size() == 3 && s[0].op == CompiledExpression::kVar && s[1].op > CompiledExpression::kNeg)
        return (s[1].source == CompiledExpression::kConstant ? kWithConstant
                                                             : kWithVariable)[s[1].op];
    return run_stack;
}

const CompiledExpression* compile(Runtime& rt) {
    Tokenizer& t = rt.tok;
    Tokenizer::Mark saved = t.mark();
    std::string saved_token = t.token;
    auto compiled = std::make_unique<CompiledExpression>();
    bool ok = Compiler(rt, *compiled).expression();
    compiled->end_from = t.scan_from();
    compiled->next_at = t.token_start();
    compiled->ends_text = t.kind() == TK_END;
    t.rewind(saved);
    // The token text too: when the compile is refused, the parser reads on from it.
    t.token.swap(saved_token);
    if (!ok || stack_needed(*compiled) > kMaxStack) return &kNotCompiled;
    fuse_operands(compiled->steps);
    std::copy_n(compiled->steps.begin(), 2, compiled->head); // with the end step, at least two
    compiled->run = runner_for(compiled->steps);
    t.script()->expressions.push_back(std::move(compiled));
    return t.script()->expressions.back().get();
}

} // namespace

CompiledExpression::Value CompiledExpression::string_value(const Step& s) {
    return s.guarded ? kFails : text_to_int(s.variable->text);
}

const CompiledExpression* compile_at(Runtime& rt, uint32_t at) {
    Tokenizer& t = rt.tok;
    Tokenizer::Mark before = t.mark();
    t.resume_at(at);
    const CompiledExpression* c = t.script()->cache[at].expression = compile(rt);
    t.rewind(before);
    return c;
}

bool evaluate_compiled(Runtime& rt, int32_t& number) {
    if (!rt.compile) return false;
    const CompiledExpression* c = expression_at(rt, rt.tok.position());
    if (!c || !run_guarded(*c, number)) return false;
    // Leave the token that ended the expression current and pushed back, as the parser does.
    rt.tok.push_back_at(c->end_from);
    return true;
}

} // namespace vtx
