// A runtime with a script text loaded into its tokenizer, for tests of the engine's parts.
#pragma once

#include <string>

#include "engine/evaluator.h"
#include "engine/runtime.h"
#include "engine/script_error.h"

namespace vtx::test {

struct LoadedScript {
    Runtime rt;
    ScriptText text;
    explicit LoadedScript(std::string body) : text(std::move(body)) { rt.tok.attach(&text); }
    // Evaluates the expression at the reading position; returns its kind, text in `out`.
    int eval(std::string& out, bool required = true) {
        return evaluate_expression(rt, out, required);
    }
};

// The value and kind of `expr`, written as "kind:text" (I or S), or "E<code>" on a script error.
inline std::string evaluate(const std::string& expr) {
    LoadedScript s(expr);
    std::string out;
    try {
        int kind = s.eval(out);
        return std::string(kind == KIND_INTEGER ? "I:" : "S:") + out;
    } catch (const ScriptError& e) {
        return "E" + std::to_string(e.code);
    }
}

} // namespace vtx::test
