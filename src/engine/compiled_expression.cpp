#include "engine/compiled_expression.h"

#include <algorithm>
#include <memory>

#include "engine/integer_rules.h"
#include "engine/runtime.h"
#include "engine/text.h"

namespace vtx {

const CompiledExpression kNotCompiled{};

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

    void emit(CompiledExpression::Op op, int32_t value = 0, const Variable* v = nullptr,
              int comparison = 0) {
        out_.steps.push_back({op, int8_t(comparison), value, v});
    }

    // The type look-ahead: the expression must be an integer one, through its parentheses.
    bool integer_first_operand() {
        Tokenizer::Mark saved = t_.mark();
        while (t_.kind() == TK_LEFT_PAREN) t_.next_token();
        bool ok = t_.kind() == TK_NUMBER || t_.kind() == TK_PLUS || t_.kind() == TK_MINUS;
        if (t_.kind() == TK_VARIABLE) {
            const Variable* v = rt_.vars.find(t_.token);
            ok = v && v->kind == KIND_INTEGER;
            if (ok) out_.integers.push_back(v);
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
        int op = t_.kind();
        t_.next_token();
        if (!additive()) return false;
        emit(CompiledExpression::kCompare, 0, nullptr, op);
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

int stack_needed(const CompiledExpression& c) {
    int depth = 0, most = 0;
    for (const CompiledExpression::Step& s : c.steps) {
        if (s.op <= CompiledExpression::kVar)
            most = std::max(most, ++depth);
        else if (s.op != CompiledExpression::kNeg)
            --depth;
    }
    return most;
}

const CompiledExpression* compile(Runtime& rt) {
    Tokenizer& t = rt.tok;
    Tokenizer::Mark saved = t.mark();
    std::string saved_token = t.token;
    auto compiled = std::make_unique<CompiledExpression>();
    bool ok = Compiler(rt, *compiled).expression();
    compiled->end_from = t.scan_from();
    t.rewind(saved);
    t.token.swap(saved_token);
    if (!ok || stack_needed(*compiled) > kMaxStack) return &kNotCompiled;
    t.script()->expressions.push_back(std::move(compiled));
    return t.script()->expressions.back().get();
}

int32_t operand(const CompiledExpression::Step& s) {
    return s.op == CompiledExpression::kConst ? s.value : s.variable->as_integer();
}

int32_t apply(const CompiledExpression::Step& s, int32_t a, int32_t b) {
    switch (s.op) {
    case CompiledExpression::kAdd: return int32_t(uint32_t(a) + uint32_t(b));
    case CompiledExpression::kSub: return int32_t(uint32_t(a) - uint32_t(b));
    case CompiledExpression::kMul: return int32_t(uint32_t(a) * uint32_t(b));
    case CompiledExpression::kDiv: return divide(a, b);
    case CompiledExpression::kCompare: return compare_integers(s.comparison, a, b);
    case CompiledExpression::kAnd: return a != 0 && b != 0;
    default: return a != 0 || b != 0; // kOr
    }
}

int32_t run(const CompiledExpression& c) {
    const CompiledExpression::Step* s = c.steps.data();
    // The common shapes, `$i + 1` and `$i < 10`, skip the stack machine.
    if (c.steps.size() == 1) return operand(s[0]);
    if (c.steps.size() == 3 && s[0].op <= CompiledExpression::kVar &&
        s[1].op <= CompiledExpression::kVar && s[2].op > CompiledExpression::kNeg)
        return apply(s[2], operand(s[0]), operand(s[1]));
    int32_t stack[kMaxStack];
    int top = -1;
    for (const CompiledExpression::Step& step : c.steps) {
        switch (step.op) {
        case CompiledExpression::kConst:
        case CompiledExpression::kVar: stack[++top] = operand(step); break;
        case CompiledExpression::kNeg: stack[top] = int32_t(0u - uint32_t(stack[top])); break;
        default:
            --top;
            stack[top] = apply(step, stack[top], stack[top + 1]);
            break;
        }
    }
    return stack[top];
}

} // namespace

bool evaluate_compiled(Runtime& rt, int32_t& number) {
    Tokenizer& t = rt.tok;
    CachedToken& entry = t.entry_here();
    if (!entry.expression) entry.expression = compile(rt);
    const CompiledExpression& c = *entry.expression;
    if (&c == &kNotCompiled) return false;
    for (const Variable* v : c.integers)
        if (v->kind != KIND_INTEGER) return false;
    number = run(c);
    // Leave the token that ended the expression current and pushed back, as the parser does.
    t.push_back_at(c.end_from);
    return true;
}

} // namespace vtx
