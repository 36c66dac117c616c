#include "engine/compiled_statement.h"

#include <memory>
#include <string>

#include "engine/compiled_expression.h"
#include "engine/interpreter.h"
#include "engine/macros.h"
#include "engine/runtime.h"
#include "platform/fuzzing.h"
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

// From the current token: plain operands (literals with nothing to expand, numbers, plain
// variables) joined by "+", where the expression ends. Their value can only be their texts
// one after the other, and computing it can fail only by growing too long.
bool plain_chain(Runtime& rt, CompiledStatement& c) {
    Tokenizer& t = rt.tok;
    for (;;) {
        bool plain = (t.kind() == TK_STRING && t.plain_literal()) || t.kind() == TK_NUMBER ||
                     (t.kind() == TK_VARIABLE && is_variable_name(t.token));
        if (!plain) return false;
        c.operands.push_back(&t.script()->cache[t.scan_from()]);
        t.next_token();
        if (t.kind() == TK_PLUS) {
            t.next_token();
            continue;
        }
        c.next_at = t.token_start();
        c.ends_text = t.kind() == TK_END;
        return !is_comparison(t.kind()) && t.kind() != KW_AND && t.kind() != KW_OR;
    }
}

// `$target + a + b ...`, a plain chain after the target.
bool plain_append_chain(Runtime& rt, CompiledStatement& c) {
    Tokenizer& t = rt.tok;
    t.next_token();
    if (t.kind() != TK_VARIABLE || variable_named(rt) != c.target) return false;
    t.next_token();
    if (t.kind() != TK_PLUS) return false;
    t.next_token();
    return plain_chain(rt, c);
}

// An expression statement: an integer expression, or a plain chain that starts with a
// literal (and so is a string expression).
CompiledStatement::Kind expression_kind(Runtime& rt, CompiledStatement& c, int first) {
    c.value = expression_at(rt, c.operand_at);
    if (c.value) return CompiledStatement::kExpression;
    if (first != TK_STRING) return CompiledStatement::kNone;
    rt.tok.resume_at(c.operand_at);
    rt.tok.next_token();
    return plain_chain(rt, c) ? CompiledStatement::kText : CompiledStatement::kNone;
}

// The statement at the reading position, or null when it may compile on a later visit (an
// assignment to a variable that does not exist yet). Kept out of line: it runs once per
// position, and inlined it would widen the frame of every compiled statement.
[[gnu::noinline]] const CompiledStatement* compile(Runtime& rt) {
    Tokenizer& t = rt.tok;
    Tokenizer::Mark start = t.mark();
    std::string saved_token = t.token;
    auto c = std::make_unique<CompiledStatement>();
    c->operand_at = t.position();
    bool later = false;
    t.next_token();
    int first = t.kind();
    switch (first) {
    case KW_IF: c->kind = CompiledStatement::kIf; break;
    case KW_ELSE: c->kind = CompiledStatement::kElse; break;
    case KW_ENDIF: c->kind = CompiledStatement::kEndif; break;
    case KW_WHILE: c->kind = CompiledStatement::kWhile; break;
    case KW_LOOP: c->kind = CompiledStatement::kLoop; break;
    case KW_DO: c->kind = CompiledStatement::kDo; break;
    case KW_UNTIL: c->kind = CompiledStatement::kUntil; break;
    case TK_VARIABLE:
        c->target = variable_named(rt);
        later = c->target == nullptr;
        if (later) break;
        t.skip_token();
        if (t.kind() == TK_EQUAL) {
            c->kind = CompiledStatement::kAssign;
        } else {
            c->target = nullptr;
            c->kind = expression_kind(rt, *c, first);
        }
        break;
    default:
        // A macro or a call starts nothing the compiler takes: not even tried.
        if (starts_expression_statement(first) && first != TK_MACRO && first != TK_FUNCTION)
            c->kind = expression_kind(rt, *c, first);
        break;
    }
    switch (c->kind) {
    case CompiledStatement::kAssign:
        c->operand_at = t.position();
        c->value = expression_at(rt, c->operand_at);
        c->appends = plain_append_chain(rt, *c);
        break;
    case CompiledStatement::kIf:
    case CompiledStatement::kWhile:
    case CompiledStatement::kUntil:
        c->operand_at = t.position();
        c->value = expression_at(rt, c->operand_at);
        break;
    case CompiledStatement::kExpression:
    case CompiledStatement::kText: break;
    default: c->operand_at = t.position(); break;
    }
    t.rewind(start);
    t.token.swap(saved_token);
    if (later) return nullptr;
    // Without a compiled value these would only ever fall back; their runners assume one.
    bool needs_value = c->kind == CompiledStatement::kIf || c->kind == CompiledStatement::kWhile ||
                       c->kind == CompiledStatement::kUntil ||
                       (c->kind == CompiledStatement::kAssign && !c->appends);
    if (c->kind == CompiledStatement::kNone || (needs_value && !c->value)) return &kNoStatement;
    t.script()->statements.push_back(std::move(c));
    return t.script()->statements.back().get();
}

// The value of compiled expression `value`; false when there is none or its guard fails.
[[gnu::always_inline]] inline bool value_of(const CompiledExpression* value, int32_t& number) {
    return value && run_guarded(*value, number);
}

// Reading goes on at `at`, the start of the token that ended what was compiled; nothing
// reads the tokenizer between statements but the next scan, so its position and the end of
// the text are all that must match the interpreter.
void resume(Tokenizer& t, uint32_t at, bool ends_text) {
    t.resume_at(at);
    if (ends_text) t.stop();
}

// skip_block from the reading position, replayed from where it ended the first time.
int skip_learnt(const CompiledStatement& c, Tokenizer& t, int opener, int closer, int depth,
                int stop_at) {
    if (c.skip_known) {
        resume(t, c.skip_to, c.skip_ends_text);
        return depth + c.skip_delta;
    }
    int level = skip_block(t, opener, closer, depth, stop_at);
    c.skip_known = true;
    c.skip_to = t.position();
    c.skip_ends_text = t.kind() == TK_END;
    c.skip_delta = level - depth;
    return level;
}

// The texts of a plain chain, appended to `out`; false, with `out` left longer, when they
// would take it past `limit`: the longest text the parser's bounded appends allow, so that
// it reports the error, from where it arises.
bool append_chain(Runtime& rt, const CompiledStatement& c, std::string& out, std::size_t limit) {
    const char* text = rt.tok.text();
    for (CachedToken* operand : c.operands) {
        std::string_view written(text + operand->text_begin, operand->text_length);
        if (operand->kind != TK_VARIABLE) {
            out += written;
        } else {
            Variable* v = operand->variable;
            if (!v && (v = rt.vars.find(written))) operand->variable = v;
            if (v) v->append_text(out);
        }
        if (out.size() > limit) return false;
    }
    return true;
}

// What a statement returns: where the statement that runs next is remembered, or null when
// it did not run. kLookUp remembers nothing: reading goes on at a position that varies.
using Next = const CompiledStatement**;
const CompiledStatement* look_up_always = nullptr;
const Next kLookUp = &look_up_always;

Next append_in_place(Runtime& rt, const CompiledStatement& c) {
    Variable& target = *c.target;
    if (target.text.size() + 1 > kMaxText) return nullptr;
    std::string& rest = rt.work; // the old value stays whole until every operand is read
    rest.clear();
    if (!append_chain(rt, c, rest, kMaxText - 1 - target.text.size())) return nullptr;
    target.text += rest;
    resume(rt.tok, c.next_at, c.ends_text);
    return &c.next[1];
}

Next run_assign(Runtime& rt, const CompiledStatement& c) {
    int32_t number = 0;
    if (c.target->kind != KIND_INTEGER) {
        if (c.appends) return append_in_place(rt, c);
        if (!value_of(c.value, number)) return nullptr;
        c.target->set_integer(number);
    } else {
        if (!value_of(c.value, number)) return nullptr;
        c.target->number = number;
    }
    resume(rt.tok, c.value->next_at, c.value->ends_text);
    return &c.next[0];
}

// Written as the interpreter writes it, from the tokenizer's text buffer.
Next run_expression(Runtime& rt, const CompiledStatement& c) {
    int32_t number = 0;
    if (!run_guarded(*c.value, number)) return nullptr;
    std::string& out = rt.tok.token;
    out.clear();
    append_int(out, number);
    rt.out.write_text(out);
    resume(rt.tok, c.value->next_at, c.value->ends_text);
    return &c.next[0];
}

Next run_text(Runtime& rt, const CompiledStatement& c) {
    std::string& out = rt.tok.token;
    out.clear();
    if (!append_chain(rt, c, out, kMaxText - 1)) return nullptr;
    rt.out.write_text(out);
    resume(rt.tok, c.next_at, c.ends_text);
    return &c.next[0];
}

// IF and WHILE: the block opens at its condition; when that is false, the part not taken
// is skipped (to ELSE or ENDIF, or past LOOP). Only an IF block records whether it was taken.
[[gnu::always_inline]] inline Next run_opening(Runtime& rt, BlockStack& s,
                                               const CompiledStatement& c, int opener, int closer,
                                               int stop_at) {
    int32_t number = 0;
    // At the nesting limit the statement goes to the interpreter, which raises the error.
    if (s.depth >= BlockStack::kLimit - 1 || !run_guarded(*c.value, number)) return nullptr;
    s.open(c.operand_at, opener == KW_IF && number != 0);
    resume(rt.tok, c.value->next_at, c.value->ends_text);
    if (number) return &c.next[0];
    s.depth = skip_learnt(c, rt.tok, opener, closer, s.depth, stop_at);
    return &c.next[1];
}

Next run_else(Runtime& rt, BlockStack& s, const CompiledStatement& c) {
    if (s.depth < 0) return nullptr;
    if (s.top() != BlockStack::kUnwritten && !s.taken[s.depth]) return nullptr;
    rt.tok.resume_at(c.operand_at);
    s.depth = skip_learnt(c, rt.tok, KW_IF, KW_ENDIF, s.depth, -1);
    return &c.next[0];
}

Next run_loop(Runtime& rt, BlockStack& s, const CompiledStatement& c) {
    if (s.depth < 0 || s.top() == BlockStack::kUnwritten) return nullptr;
    if (s.top() != c.loop_from) { // the first turn, or a loop entered another way
        c.loop_condition = expression_at(rt, s.top());
        c.loop_from = s.top();
        c.next[0] = nullptr;
    }
    const CompiledExpression* condition = c.loop_condition;
    int32_t number = 0;
    if (!value_of(condition, number)) return nullptr;
    if (number) {
        resume(rt.tok, condition->next_at, condition->ends_text);
        return &c.next[0];
    }
    rt.tok.resume_at(c.operand_at);
    s.close();
    return &c.next[1];
}

Next run_do(Runtime& rt, BlockStack& s, const CompiledStatement& c) {
    if (s.depth >= BlockStack::kLimit - 1) return nullptr;
    s.open(c.operand_at);
    rt.tok.resume_at(c.operand_at);
    return &c.next[0];
}

// A true condition, or a DO entered by a forward GOTO, closes the block; otherwise reading
// goes back to the DO, even when the condition ended the text.
Next run_until(Runtime& rt, BlockStack& s, const CompiledStatement& c) {
    int32_t number = 0;
    if (s.depth < 0 || !run_guarded(*c.value, number)) return nullptr;
    if (number || s.top() == BlockStack::kUnwritten) {
        s.close();
        resume(rt.tok, c.value->next_at, c.value->ends_text);
        return &c.next[0];
    }
    rt.tok.resume_at(s.top());
    return kLookUp;
}

// Inlined in the loop below: one statement of a compiled loop is little more than this.
[[gnu::always_inline]] inline Next run_one(Runtime& rt, ScriptRun& run,
                                           const CompiledStatement& c) {
    switch (c.kind) {
    case CompiledStatement::kAssign: return run_assign(rt, c);
    case CompiledStatement::kExpression: return run_expression(rt, c);
    case CompiledStatement::kText: return run_text(rt, c);
    case CompiledStatement::kIf: return run_opening(rt, run.ifs, c, KW_IF, KW_ENDIF, KW_ELSE);
    case CompiledStatement::kElse: return run_else(rt, run.ifs, c);
    case CompiledStatement::kEndif:
        if (run.ifs.depth < 0) return nullptr;
        run.ifs.close();
        rt.tok.resume_at(c.operand_at);
        return &c.next[0];
    case CompiledStatement::kWhile: return run_opening(rt, run.whiles, c, KW_WHILE, KW_LOOP, -1);
    case CompiledStatement::kLoop: return run_loop(rt, run.whiles, c);
    case CompiledStatement::kDo: return run_do(rt, run.dos, c);
    case CompiledStatement::kUntil: return run_until(rt, run.dos, c);
    case CompiledStatement::kNone:
    case CompiledStatement::kSeen: return nullptr; // never reached: statement_here skips them
    default: __builtin_unreachable();              // lets the switch go without a range check
    }
}

// The compiled statement at the reading position, compiling it on its second visit; null
// when it has none (yet).
const CompiledStatement* statement_here(Runtime& rt) {
    CachedToken& entry = rt.tok.entry_here();
    const CompiledStatement* c = entry.statement;
    if (!c) {
        entry.statement = &kSeenOnce;
        return nullptr;
    }
    if (c->kind == CompiledStatement::kSeen && !(c = entry.statement = compile(rt))) return nullptr;
    return c->kind == CompiledStatement::kNone ? nullptr : c;
}

} // namespace

uint64_t run_compiled_statements(Runtime& rt, ScriptRun& run, uint64_t most) {
    uint64_t ran = 0;
    const CompiledStatement* c = statement_here(rt);
    while (c && (!platform::kFuzzing || ran < most)) {
        Next next = run_one(rt, run, *c);
        if (!next) break;
        ++ran;
        if (rt.tok.kind() == TK_END) break;
        c = *next;
        if (!c && (c = statement_here(rt)) && next != kLookUp) *next = c;
    }
    return ran;
}

} // namespace vtx
