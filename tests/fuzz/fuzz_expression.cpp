// libFuzzer target: the input is one expression, evaluated by the parser alone and from its
// compiled form (the second evaluation at a position runs what the first compiled). Kind,
// text, script error and the token that ended the expression must all agree.
//
// Inputs that call functions or read macros are left out: those read the world, which may
// change between the two evaluations.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "engine/evaluator.h"
#include "engine/runtime.h"
#include "engine/script_error.h"
#include "script_input.h"

namespace {

using namespace vtx;

struct Outcome {
    int kind = 0;
    std::string text;
    int error = -1;
    uint32_t position = 0;
    bool operator==(const Outcome&) const = default;
};

// The same variables for both ways: integers, strings, and a string holding digits.
void define_variables(Runtime& rt) {
    rt.vars.create("$i", KIND_INTEGER).set_integer(7);
    rt.vars.create("$n", KIND_INTEGER).set_integer(-2147483647 - 1);
    rt.vars.create("$s", KIND_STRING).set_string("ab");
    rt.vars.create("$d", KIND_STRING).set_string("42x");
}

bool reads_the_world(const Tokenizer& t) {
    return t.kind() == TK_FUNCTION || t.kind() == TK_MACRO ||
           t.token.find_first_of("@%") != std::string::npos;
}

Outcome evaluate(Runtime& rt, ScriptText& text) {
    Outcome o;
    rt.tok.attach(&text);
    try {
        o.kind = evaluate_expression(rt, o.text, true);
    } catch (const ScriptError& e) {
        o.error = e.code;
    }
    o.position = rt.tok.position();
    return o;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string input;
    if (!script_input(data, size, reads_the_world, input)) return -1;

    Runtime parsed;
    parsed.compile = false;
    define_variables(parsed);
    ScriptText parsed_text(input);
    Outcome reference = evaluate(parsed, parsed_text);

    Runtime compiled;
    compiled.compile = true;
    define_variables(compiled);
    ScriptText compiled_text(input);
    for (int round = 0; round < 2; ++round)
        if (!(evaluate(compiled, compiled_text) == reference)) std::abort();
    return 0;
}
