// The integer rules of the grammar in evaluator.cpp (int-logic down to int-primary) compiled
// into a small stack program; whatever the compiler does not take stays with the parser.
// tests/fuzz/fuzz_expression.cpp and the parity stage of scripts/test (the corpus run with
// nothing compiled) prove that both give the same values, errors and end tokens.
#include "engine/compiled_expression.h"

#include <algorithm>
#include <memory>

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

    void emit(CompiledExpression::Op op, int32_t value = 0, const Variable* v = nullptr) {
        out_.steps.push_back({op, value, v});
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

CompiledExpression::Shape shape_of(const std::vector<CompiledExpression::Step>& s) {
    auto operand = [](const CompiledExpression::Step& step) {
        return step.op <= CompiledExpression::kVar;
    };
    if (s.size() == 1) return CompiledExpression::kOperand;
    if (s.size() == 3 && operand(s[0]) && operand(s[1]) && s[2].op > CompiledExpression::kNeg)
        return CompiledExpression::kBinary;
    return CompiledExpression::kStack;
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
    compiled->shape = shape_of(compiled->steps);
    t.script()->expressions.push_back(std::move(compiled));
    return t.script()->expressions.back().get();
}

} // namespace

int32_t CompiledExpression::run_stack() const {
    int32_t stack[kMaxStack];
    int top = -1;
    for (const Step& step : steps) {
        switch (step.op) {
        case kConst:
        case kVar: stack[++top] = operand(step); break;
        case kNeg: stack[top] = int32_t(0u - uint32_t(stack[top])); break;
        default:
            --top;
            stack[top] = apply(step.op, stack[top], stack[top + 1]);
            break;
        }
    }
    return stack[top];
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
