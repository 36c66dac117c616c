// The expression grammar, written down once; the compiler (compiled_expression.cpp) and the
// checker (checker/expression_walk.cpp) each mirror it. Lowest precedence first:
//
//   expression  = int-logic | str-logic        the first operand fixes which (look_ahead)
//   int-logic   = int-compare { (AND | OR) expression }   right operand of either kind
//   int-compare = int-sum [ ("=" | "<" | ">" | "<=" | ">=" | "<>") int-sum ]   one at most
//   int-sum     = int-product { ("+" | "-") int-product }   wrapping 32-bit arithmetic
//   int-product = int-unary { ("*" | "/") int-unary }
//   int-unary   = [ "+" | "-" ] ( "(" int-logic ")" | int-primary )
//   int-primary = number | macro | string | variable | function "(" ... ")" | nothing before ")"
//   str-logic   = str-compare { (AND | OR) expression }   truth as "1" or ""
//   str-compare = str-concat [ comparison str-concat ]    case-blind
//   str-concat  = str-paren { "+" str-paren }             no other operator on strings
//   str-paren   = "(" str-logic ")" | str-primary
//   str-primary = variable | number | string | name | macro | function "(" ... ")"
//
// Strings, macros and names are expanded (@macros, %environment%, $variables) as they are
// read. Deeper nesting than kMaxExpressionDepth is script error 9.
#include "engine/evaluator.h"

#include "engine/compiled_expression.h"
#include "engine/handler_tables.h"
#include "engine/integer_rules.h"
#include "engine/macros.h"
#include "engine/runtime.h"
#include "engine/script_error.h"
#include "engine/text.h"
#include "engine/trace.h"

namespace vtx {

namespace {

// Working buffers are reused across operands so that evaluation does no heap work once
// the pool is warm.
class Lease {
  public:
    explicit Lease(Runtime& rt) : pool_(rt.buffers) {
        if (pool_.used == pool_.buffers.size()) pool_.buffers.emplace_back();
        buffer_ = &pool_.buffers[pool_.used++];
        buffer_->clear();
    }
    ~Lease() { --pool_.used; }
    Lease(const Lease&) = delete;
    Lease& operator=(const Lease&) = delete;
    std::string& operator*() { return *buffer_; }

  private:
    BufferPool& pool_;
    std::string* buffer_;
};

struct DepthGuard {
    Runtime& rt;
    explicit DepthGuard(Runtime& r) : rt(r) {
        if (++rt.depth > kMaxExpressionDepth) throw ScriptError(kErrTooLong);
    }
    ~DepthGuard() { --rt.depth; }
};

bool is_integer_text(const std::string& s) {
    if (s.empty()) return false;
    for (char c : s)
        if (!((c >= '0' && c <= '9') || c == '-')) return false;
    return true;
}

// A string expression's truth values: "1" or the empty text.
void set_truth(std::string& r, bool value) {
    r.clear();
    if (value) r.push_back('1');
}

class Evaluator {
  public:
    explicit Evaluator(Runtime& rt) : rt_(rt), t_(rt.tok) {}

    int evaluate(bool required, int32_t& number, std::string& text) {
        DepthGuard guard(rt_);
        t_.next_token();
        int type = look_ahead(required);
        if (type == KIND_INTEGER) {
            number = int_logic();
        } else if (type == KIND_STRING) {
            Lease r(rt_);
            str_logic(*r);
            // Exchanged, not copied: the lease keeps the old buffer for the next operand.
            if ((*r).size() > kMaxText) throw ScriptError(kErrTooLong);
            text.swap(*r);
        }
        t_.push_back_token();
        return type;
    }

  private:
    Runtime& rt_;
    Tokenizer& t_;
    bool pre_expanded_ = false; // the first macro operand was expanded by the look-ahead

    [[noreturn]] static void expected() { throw ScriptError(kErrExpected); }

    // The record the current variable token names, or null.
    Variable* variable() {
        Variable* v = t_.cached_variable();
        if (!v && (v = rt_.vars.find(t_.token))) t_.cache_variable(v);
        return v;
    }

    int look_ahead(bool required) {
        switch (t_.kind()) {
        case TK_NUMBER:
        case TK_PLUS:
        case TK_MINUS: return KIND_INTEGER;
        case TK_STRING:
        case TK_NAME: return KIND_STRING;
        case TK_VARIABLE: {
            const Variable* v = variable();
            return v ? v->kind : KIND_INTEGER;
        }
        case TK_MACRO:
            expand_text(rt_, t_.token);
            pre_expanded_ = true;
            return is_integer_text(t_.token) ? KIND_INTEGER : KIND_STRING;
        case TK_FUNCTION: return function_kind(t_.function());
        case TK_LEFT_PAREN: {
            Tokenizer::Mark paren = t_.mark();
            do t_.next_token();
            while (t_.kind() == TK_LEFT_PAREN);
            int type = look_ahead(true);
            t_.rewind(paren);
            // The rewind gives the macro's token back unexpanded: it is expanded when read again.
            pre_expanded_ = false;
            return type;
        }
        default:
            if (required) expected();
            return TK_NAME;
        }
    }

    bool right_operand_true() {
        int32_t number = 0;
        Lease text(rt_);
        int type = Evaluator(rt_).evaluate(true, number, *text);
        t_.next_token();
        return type == KIND_STRING ? !(*text).empty() : number != 0;
    }

    int32_t int_logic() {
        int32_t v = int_comparison();
        while (t_.kind() == KW_AND || t_.kind() == KW_OR) {
            bool is_and = t_.kind() == KW_AND;
            bool right = right_operand_true();
            v = is_and ? (v != 0 && right) : (v != 0 || right);
        }
        return v;
    }

    int32_t int_comparison() {
        int32_t v = int_additive();
        if (is_comparison(t_.kind())) {
            int op = t_.kind();
            t_.next_token();
            int32_t w = int_additive();
            v = compare_integers(op, v, w);
        }
        return v;
    }

    int32_t int_additive() {
        int32_t v = int_multiplicative();
        while (t_.kind() == TK_PLUS || t_.kind() == TK_MINUS) {
            bool plus = t_.kind() == TK_PLUS;
            t_.next_token();
            uint32_t w = uint32_t(int_multiplicative());
            v = int32_t(plus ? uint32_t(v) + w : uint32_t(v) - w);
        }
        return v;
    }

    int32_t int_multiplicative() {
        int32_t v = int_unary();
        while (t_.kind() == TK_STAR || t_.kind() == TK_SLASH) {
            bool times = t_.kind() == TK_STAR;
            t_.next_token();
            int32_t w = int_unary();
            v = times ? int32_t(uint32_t(v) * uint32_t(w)) : divide(v, w);
        }
        return v;
    }

    int32_t int_unary() {
        bool negate = false;
        if (t_.kind() == TK_PLUS || t_.kind() == TK_MINUS) {
            negate = t_.kind() == TK_MINUS;
            t_.next_token();
        }
        int32_t v = int_parenthesis();
        return negate ? int32_t(0u - uint32_t(v)) : v;
    }

    int32_t int_parenthesis() {
        if (t_.kind() != TK_LEFT_PAREN) return int_primary();
        DepthGuard guard(rt_);
        t_.next_token();
        int32_t v = int_logic();
        if (t_.kind() != TK_RIGHT_PAREN) expected();
        t_.next_token();
        return v;
    }

    int32_t int_primary() {
        bool pre = pre_expanded_;
        pre_expanded_ = false;
        int32_t v = 0;
        switch (t_.kind()) {
        case TK_NUMBER: v = t_.number(); break;
        case TK_MACRO:
            if (!pre) expand_text(rt_, t_.token);
            v = text_to_int(t_.token);
            break;
        case TK_STRING:
            expand_text(rt_, t_.token);
            v = text_to_int(t_.token);
            break;
        case TK_VARIABLE:
            if (const Variable* var = variable()) v = var->as_integer();
            break;
        case TK_FUNCTION: {
            Lease r(rt_);
            call_function(rt_, t_.function(), *r);
            v = text_to_int(*r);
            break;
        }
        case TK_RIGHT_PAREN:
            return 0; // an empty operand, as in 5 + (): left for the caller to consume
        default: expected();
        }
        t_.next_token();
        return v;
    }

    void str_logic(std::string& r) {
        str_comparison(r);
        while (t_.kind() == KW_AND || t_.kind() == KW_OR) {
            bool is_and = t_.kind() == KW_AND;
            bool left = !r.empty();
            bool right = right_operand_true();
            set_truth(r, is_and ? (left && right) : (left || right));
        }
    }

    void str_comparison(std::string& r) {
        str_concatenation(r);
        if (is_comparison(t_.kind())) {
            int op = t_.kind();
            t_.next_token();
            Lease b(rt_);
            str_concatenation(*b);
            set_truth(r, compare_result(op, compare_nocase(r, *b)));
        }
    }

    void str_concatenation(std::string& r) {
        r.clear();
        str_parenthesis(r);
        while (t_.kind() == TK_PLUS) {
            t_.next_token();
            Lease b(rt_);
            str_parenthesis(*b);
            // Too long, the token read after the operand is given back first: the report
            // names the line where the expression ended, not the next statement's.
            if (r.size() + (*b).size() + 1 > kMaxText) t_.push_back_token();
            bounded_append(r, *b);
        }
    }

    void str_parenthesis(std::string& r) {
        if (t_.kind() != TK_LEFT_PAREN) return str_primary(r);
        DepthGuard guard(rt_);
        t_.next_token();
        Lease inner(rt_);
        str_logic(*inner);
        bounded_append(r, *inner);
        if (t_.kind() != TK_RIGHT_PAREN) expected();
        t_.next_token();
    }

    void str_primary(std::string& r) {
        bool pre = pre_expanded_;
        pre_expanded_ = false;
        switch (t_.kind()) {
        case TK_VARIABLE:
            // Straight from the variable: its value is often long and not worth two copies.
            if (append_variable_value(rt_, t_.token, r)) break;
            [[fallthrough]];
        case TK_NUMBER:
        case TK_STRING:
        case TK_NAME:
            // A plain literal has nothing to expand. The parity build, which compiles nothing,
            // expands it all the same, and so holds the shortcut against the full expansion.
            if (!(rt_.compile && t_.kind() == TK_STRING && t_.plain_literal()))
                expand_text(rt_, t_.token);
            bounded_append(r, t_.token);
            break;
        case TK_MACRO:
            if (!pre) expand_macros(rt_, t_.token);
            bounded_append(r, t_.token);
            break;
        case TK_FUNCTION: call_function(rt_, t_.function(), r); break;
        default: expected();
        }
        t_.next_token();
    }
};

} // namespace

int evaluate_value(Runtime& rt, bool required, int32_t& number, std::string& text) {
    bool traced = rt.trace > 1 && rt.depth == 0; // a statement's own value, not a part of one
    int kind = evaluate_compiled(rt, number) ? KIND_INTEGER
                                             : Evaluator(rt).evaluate(required, number, text);
    if (traced && (kind == KIND_INTEGER || kind == KIND_STRING))
        trace_value(rt, kind, number, text);
    return kind;
}

int evaluate_expression(Runtime& rt, std::string& out, bool required) {
    int32_t number = 0;
    Lease text(rt);
    int type = evaluate_value(rt, required, number, *text);
    if (type == KIND_INTEGER) {
        out.clear();
        append_int(out, number);
    } else if (type == KIND_STRING) {
        out.swap(*text);
    }
    return type;
}

bool evaluate_condition(Runtime& rt) {
    int32_t number = 0;
    // At trace level 2 the value must pass through evaluate_value, which shows it.
    if (rt.trace < 2 && evaluate_compiled(rt, number)) return number != 0;
    Lease text(rt);
    int type = evaluate_value(rt, true, number, *text);
    return type == KIND_STRING ? !(*text).empty() : number != 0;
}

} // namespace vtx
