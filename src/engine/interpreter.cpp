#include "engine/interpreter.h"

#include "engine/commands.h"
#include "engine/compiled_statement.h"
#include "engine/evaluator.h"
#include "engine/runtime.h"
#include "engine/script_error.h"
#include "engine/text.h"
#include "engine/trace.h"
#include "platform/fuzzing.h"
#include "screen/writer.h"

namespace vtx {

// Fuzzed scripts loop forever as easily as real ones; in the fuzzing build a run ends as a
// script error past this many statements instead of as a timeout.
inline constexpr uint64_t kFuzzStatementLimit = 50000;

namespace {

class Interpreter {
  public:
    Interpreter(Runtime& rt, ScriptRun& run) : rt_(rt), t_(rt.tok), run_(run) {}

    void run() {
        for (;;) {
            if (compiled_statements()) return;
            t_.next_token();
            if (t_.kind() == TK_END) return;
            if (platform::kFuzzing && ++rt_.statements > kFuzzStatementLimit)
                throw ScriptError(kErrOutOfMemory);
            if (rt_.trace) {
                trace_statement(rt_, t_.token_start());
                dispatch();
                trace_values(rt_);
                trace_error(rt_);
            } else {
                dispatch();
            }
            if (t_.kind() == TK_END) return;
        }
    }

    // The statements from the reading position on that have compiled forms; true when they
    // ended the text. The fuzzing build's statement limit is left to the interpreter to
    // report, and the trace wants every statement through the interpreter, where it is
    // announced.
    bool compiled_statements() {
        if (!rt_.compile || rt_.trace) return false;
        uint64_t most = UINT64_MAX;
        if (platform::kFuzzing)
            most = rt_.statements < kFuzzStatementLimit ? kFuzzStatementLimit - rt_.statements : 0;
        uint64_t ran = run_compiled_statements(rt_, run_, most);
        if (platform::kFuzzing) rt_.statements += ran;
        return ran != 0 && t_.kind() == TK_END;
    }

  private:
    Runtime& rt_;
    Tokenizer& t_;
    ScriptRun& run_;

    void dispatch() {
        switch (t_.kind()) {
        case KW_IF: return statement_if();
        case KW_ELSE: return statement_else();
        case KW_ENDIF:
            if (run_.ifs.depth < 0) throw ScriptError(kErrEndifWithoutIf);
            return run_.ifs.close();
        case KW_WHILE: return statement_while();
        case KW_LOOP: return statement_loop();
        case KW_DO:
            if (run_.dos.depth >= BlockStack::kLimit - 1) throw ScriptError(kErrNestedDo);
            return run_.dos.open(t_.position());
        case KW_UNTIL: return statement_until();
        case KW_GOTO: return statement_goto();
        case KW_CALL: return statement_call();
        case KW_EXIT: return statement_exit();
        case TK_LABEL: return;
        case TK_VARIABLE: return statement_variable();
        default:
            if (starts_expression_statement(t_.kind())) {
                t_.push_back_token();
                return expression_statement();
            }
            if (begins_statement(t_.kind())) return run_command(rt_, t_.kind());
            return drive_change(rt_, t_.token);
        }
    }

    // With the reading position at the start of the expression.
    void expression_statement() {
        evaluate_expression(rt_, t_.token, true);
        rt_.out.write_text(t_.token);
    }

    void statement_variable() {
        Variable* v = t_.cached_variable();
        if (!v && (v = rt_.vars.find(t_.token))) t_.cache_variable(v);
        if (!v) bounded_copy(rt_.work, t_.token);
        Tokenizer::Mark at_variable = t_.mark();
        t_.skip_token();
        if (t_.kind() != TK_EQUAL) {
            t_.rewind(at_variable);
            t_.push_back_token();
            return expression_statement();
        }
        // Created before the value is evaluated, so `$n = $n + 1` on a new name gives 1.
        if (!v) v = &rt_.vars.create(rt_.work, KIND_INTEGER);
        int32_t number = 0;
        int kind = evaluate_value(rt_, true, number, rt_.work);
        if (rt_.trace > 1) trace_assignment(rt_, v->name, kind, number, rt_.work);
        if (kind == KIND_STRING)
            v->take_string(rt_.work);
        else
            v->set_integer(number);
    }

    void statement_if() {
        BlockStack& s = run_.ifs;
        if (s.depth >= BlockStack::kLimit - 1) throw ScriptError(kErrNestedIf);
        s.open(t_.position());
        bool taken = evaluate_condition(rt_);
        s.taken[s.depth] = taken;
        if (!taken) s.depth = skip_block(t_, KW_IF, KW_ENDIF, s.depth, KW_ELSE);
    }

    void statement_else() {
        BlockStack& s = run_.ifs;
        if (s.depth < 0) throw ScriptError(kErrElseWithoutIf);
        // A block entered by a forward GOTO has no flag: its then-part is what ran.
        bool taken = s.top() == BlockStack::kUnwritten || s.taken[s.depth];
        if (!taken) throw ScriptError(kErrElseWithoutIf);
        s.depth = skip_block(t_, KW_IF, KW_ENDIF, s.depth);
    }

    void statement_while() {
        BlockStack& s = run_.whiles;
        if (s.depth >= BlockStack::kLimit - 1) throw ScriptError(kErrNestedWhile);
        s.open(t_.position());
        if (!evaluate_condition(rt_)) s.depth = skip_block(t_, KW_WHILE, KW_LOOP, s.depth);
    }

    void statement_loop() {
        BlockStack& s = run_.whiles;
        if (s.depth < 0) throw ScriptError(kErrLoopWithoutWhile);
        uint32_t entry = s.top();
        if (entry == BlockStack::kUnwritten) return s.close(); // no condition to go back to
        uint32_t after = t_.position();
        t_.resume_at(entry);
        if (!evaluate_condition(rt_)) {
            t_.resume_at(after);
            s.close();
        }
    }

    void statement_until() {
        BlockStack& s = run_.dos;
        if (s.depth < 0) throw ScriptError(kErrUntilWithoutDo);
        if (evaluate_condition(rt_)) return s.close();
        uint32_t entry = s.top();
        if (entry == BlockStack::kUnwritten) return s.close();
        t_.resume_at(entry); // goes on even when the condition ended the text
    }

    void statement_goto() {
        evaluate_expression(rt_, t_.token, true);
        int64_t found = run_.labels.find(t_.token);
        if (found < 0) throw ScriptError(kErrLabelNotFound);
        uint32_t target = uint32_t(found);
        // The language's rule: nesting is corrected only while an IF is open; with none, all
        // three stacks stay as they are.
        if (run_.ifs.depth >= 0) {
            if (target < t_.position())
                close_blocks_after(target);
            else
                count_blocks_until(target);
        }
        t_.resume_at(target);
    }

    void close_blocks_after(uint32_t target) {
        for (BlockStack* s : {&run_.ifs, &run_.whiles, &run_.dos})
            while (s->depth >= 0 && s->top() != BlockStack::kUnwritten && s->top() > target)
                s->close();
    }

    void count_blocks_until(uint32_t target) {
        for (;;) {
            t_.next_token();
            if (t_.kind() == TK_END || t_.position() >= target) return;
            switch (t_.kind()) {
            case KW_IF: run_.ifs.count_open(); break;
            case KW_ENDIF: run_.ifs.close(); break;
            case KW_WHILE: run_.whiles.count_open(); break;
            case KW_LOOP: run_.whiles.close(); break;
            case KW_DO: run_.dos.count_open(); break;
            case KW_UNTIL: run_.dos.close(); break;
            default: break;
            }
        }
    }

    void statement_call() {
        evaluate_expression(rt_, t_.token, true);
        std::string name = t_.token;
        Tokenizer::Mark caller = t_.mark();
        if (run_script(rt_, name) != 0) throw ScriptError(kErrNoScript);
        t_.rewind(caller);
    }

    void statement_exit() {
        rt_.exit_code = 0;
        int32_t number = 0;
        int kind = evaluate_value(rt_, false, number, rt_.work);
        if (kind == KIND_INTEGER) rt_.exit_code = number;
        if (kind == KIND_STRING) rt_.exit_code = text_to_int(rt_.work);
        t_.stop();
    }
};

} // namespace

int skip_block(Tokenizer& t, int opener, int closer, int depth, int stop_at) {
    int level = depth;
    for (;;) {
        t.next_token();
        if (t.kind() == TK_END) return level;
        if (t.kind() == opener) {
            ++level;
        } else if (t.kind() == closer) {
            if (--level < depth) return level;
        } else if (t.kind() == stop_at && level == depth) {
            return level;
        }
    }
}

void BlockStack::count_open() {
    ++depth;
    // Past the stack's entries only the count grows: the closing keywords still balance, and
    // the next IF, WHILE or DO refuses with its nesting error.
    if (depth >= 0 && depth < kLimit) position[depth] = kUnwritten;
}

int run_script(Runtime& rt, std::string_view name) {
    if (rt.runs.size() >= kMaxCallDepth) throw ScriptError(kErrOutOfMemory);
    ScriptSource source;
    if (!read_script_file(search_path(rt, name), source)) {
        rt.missing_script = name;
        return 1;
    }
    rt.runs.push_back(std::make_unique<ScriptRun>());
    ScriptRun& run = *rt.runs.back();
    run.name = name;
    run.text = std::make_unique<ScriptText>(std::move(source.text));

    Tokenizer& t = rt.tok;
    t.attach(run.text.get());
    // Every label before the first statement: a GOTO forward finds one the run has not reached.
    for (t.next_token(); t.kind() != TK_END; t.next_token())
        if (t.kind() == TK_LABEL) run.labels.add(t.token, t.position());
    t.attach(run.text.get());

    Interpreter(rt, run).run();
    t.detach(run.text.get());
    rt.runs.pop_back();
    return 0;
}

} // namespace vtx
