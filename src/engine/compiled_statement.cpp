#include "engine/compiled_statement.h"

#include <memory>
#include <string>

#include "engine/compiled_expression.h"
#include "engine/interpreter.h"
#include "engine/macros.h"
#include "engine/runtime.h"
#include "platform/text_rules.h"

namespace vtx {

namespace {

// Shared by every position that starts no compilable statement, and by those visited once:
// a statement is compiled on its second visit, so straight-line scripts never pay for it.
const CompiledStatement kNoStatement;
const CompiledStatement kSeenOnce = [] {
    CompiledStatement seen;
    seen.kind = CompiledStatement::kSeen;
    return seen;
}();

Variable* variable_named(Runtime& rt) {
    Tokenizer& t = rt.tok;
    Variable* v = t.cached_variable();
    if (!v && (v = rt.vars.find(t.token))) t.cache_variable(v);
    return v;
}

// `$target + a + b ...` where every operand is a literal with nothing to expand, a number or
// a plain variable, and the expression ends there: its value can only be the target's text
// with the operands' texts after it, and computing it can fail only by growing too long.
bool plain_append_chain(Runtime& rt, CompiledStatement& c) {
    Tokenizer& t = rt.tok;
    t.next_token();
    if (t.kind() != TK_VARIABLE || variable_named(rt) != c.target) return false;
    t.next_token();
    if (t.kind() != TK_PLUS) return false;
    for (;;) {
        t.next_token();
        bool plain = (t.kind() == TK_STRING && t.plain_literal()) || t.kind() == TK_NUMBER ||
                     (t.kind() == TK_VARIABLE && is_variable_name(t.token));
        if (!plain) return false;
        c.operands.push_back(&t.script()->cache[t.scan_from()]);
        t.next_token();
        if (t.kind() == TK_PLUS) continue;
        c.next_at = t.token_start();
        c.ends_text = t.kind() == TK_END;
        return !is_comparison(t.kind()) && t.kind() != KW_AND && t.kind() != KW_OR;
    }
}

// The statement at the reading position, or null when it may compile on a later visit (an
// assignment to a variable that does not exist yet).
const CompiledStatement* compile(Runtime& rt) {
    Tokenizer& t = rt.tok;
    Tokenizer::Mark start = t.mark();
    std::string saved_token = t.token;
    auto c = std::make_unique<CompiledStatement>();
    bool later = false;
    t.next_token();
    switch (t.kind()) {
    case KW_IF: c->kind = CompiledStatement::kIf; break;
    case KW_ELSE: c->kind = CompiledStatement::kElse; break;
    case KW_ENDIF: c->kind = CompiledStatement::kEndif; break;
    case KW_WHILE: c->kind = CompiledStatement::kWhile; break;
    case KW_LOOP: c->kind = CompiledStatement::kLoop; break;
    case TK_VARIABLE:
        c->target = variable_named(rt);
        later = c->target == nullptr;
        if (later) break;
        t.skip_token();
        if (t.kind() != TK_EQUAL) break;
        c->kind = CompiledStatement::kAssign;
        break;
    default: break;
    }
    c->operand_at = t.position();
    if (c->kind == CompiledStatement::kAssign) c->appends = plain_append_chain(rt, *c);
    t.rewind(start);
    t.token.swap(saved_token);
    if (later) return nullptr;
    if (c->kind == CompiledStatement::kNone) return &kNoStatement;
    t.script()->statements.push_back(std::move(c));
    return t.script()->statements.back().get();
}

// The value of the compiled integer expression at `at`; null when it has none or its guard
// fails, with nothing changed.
const CompiledExpression* compiled_value(Runtime& rt, const CompiledStatement& c, uint32_t at,
                                         int32_t& number) {
    if (c.value_at != at) {
        c.value = expression_at(rt, at);
        c.value_at = at;
    }
    return c.value && run_guarded(*c.value, number) ? c.value : nullptr;
}

// Reading goes on with the token that ended expression `c`: nothing reads the tokenizer
// between statements but the next scan, so its position and the end of the text are all
// that must match the interpreter.
void hand_over(Tokenizer& t, const CompiledExpression& c) {
    t.resume_at(c.next_at);
    if (c.ends_text) t.stop();
}

// skip_block from the reading position, replayed from where it ended the first time.
int skip_learnt(const CompiledStatement& c, Tokenizer& t, int opener, int closer, int depth,
                int stop_at) {
    if (c.skip_known) {
        t.resume_at(c.skip_to);
        if (c.skip_ends_text) t.stop();
        return depth + c.skip_delta;
    }
    int level = skip_block(t, opener, closer, depth, stop_at);
    c.skip_known = true;
    c.skip_to = t.position();
    c.skip_ends_text = t.kind() == TK_END;
    c.skip_delta = level - depth;
    return level;
}

bool append_in_place(Runtime& rt, const CompiledStatement& c) {
    Tokenizer& t = rt.tok;
    Variable& target = *c.target;
    // Too long is a script error: the parser reports it, from where it arises.
    auto too_long = [&](std::size_t rest) { return target.text.size() + rest + 1 > kMaxText; };
    if (too_long(0)) return false;
    const char* text = t.text();
    std::string& rest = rt.work; // the old value stays whole until every operand is read
    rest.clear();
    for (CachedToken* operand : c.operands) {
        std::string_view written(text + operand->text_begin, operand->text_length);
        if (operand->kind != TK_VARIABLE) {
            rest += written;
        } else {
            Variable* v = operand->variable;
            if (!v && (v = rt.vars.find(written))) operand->variable = v;
            if (v) v->append_text(rest);
        }
        if (too_long(rest.size())) return false;
    }
    target.text += rest;
    t.resume_at(c.next_at);
    if (c.ends_text) t.stop();
    return true;
}

bool run_assign(Runtime& rt, const CompiledStatement& c) {
    if (c.appends && c.target->kind == KIND_STRING) return append_in_place(rt, c);
    int32_t number = 0;
    const CompiledExpression* value = compiled_value(rt, c, c.operand_at, number);
    if (!value) return false;
    c.target->set_integer(number);
    hand_over(rt.tok, *value);
    return true;
}

// IF and WHILE: the block opens at its condition; when that is false, the part not taken
// is skipped (to ELSE or ENDIF, or past LOOP). Only an IF block records whether it was taken.
bool run_opening(Runtime& rt, BlockStack& s, const CompiledStatement& c, int opener, int closer,
                 int stop_at) {
    int32_t number = 0;
    if (s.depth >= BlockStack::kLimit - 1) return false;
    const CompiledExpression* condition = compiled_value(rt, c, c.operand_at, number);
    if (!condition) return false;
    s.open(c.operand_at, opener == KW_IF && number != 0);
    hand_over(rt.tok, *condition);
    if (!number) s.depth = skip_learnt(c, rt.tok, opener, closer, s.depth, stop_at);
    return true;
}

bool run_else(Runtime& rt, BlockStack& s, const CompiledStatement& c) {
    if (s.depth < 0) return false;
    if (s.top() != BlockStack::kUnwritten && !s.taken[s.depth]) return false;
    rt.tok.resume_at(c.operand_at);
    s.depth = skip_learnt(c, rt.tok, KW_IF, KW_ENDIF, s.depth, -1);
    return true;
}

bool run_loop(Runtime& rt, BlockStack& s, const CompiledStatement& c) {
    if (s.depth < 0 || s.top() == BlockStack::kUnwritten) return false;
    int32_t number = 0;
    const CompiledExpression* condition = compiled_value(rt, c, s.top(), number);
    if (!condition) return false;
    if (number) {
        hand_over(rt.tok, *condition);
    } else {
        rt.tok.resume_at(c.operand_at);
        s.close();
    }
    return true;
}

} // namespace

bool run_compiled_statement(Runtime& rt, ScriptRun& run) {
    CachedToken& entry = rt.tok.entry_here();
    const CompiledStatement* c = entry.statement;
    if (!c) {
        entry.statement = &kSeenOnce;
        return false;
    }
    if (c->kind == CompiledStatement::kSeen) {
        c = entry.statement = compile(rt);
        if (!c) return false;
    }
    switch (c->kind) {
    case CompiledStatement::kAssign: return run_assign(rt, *c);
    case CompiledStatement::kIf: return run_opening(rt, run.ifs, *c, KW_IF, KW_ENDIF, KW_ELSE);
    case CompiledStatement::kElse: return run_else(rt, run.ifs, *c);
    case CompiledStatement::kEndif:
        if (run.ifs.depth < 0) return false;
        run.ifs.close();
        rt.tok.resume_at(c->operand_at);
        return true;
    case CompiledStatement::kWhile: return run_opening(rt, run.whiles, *c, KW_WHILE, KW_LOOP, -1);
    case CompiledStatement::kLoop: return run_loop(rt, run.whiles, *c);
    default: return false;
    }
}

} // namespace vtx
