#include "engine/arguments.h"

#include <cassert>

#include "engine/evaluator.h"
#include "engine/functions.h"
#include "engine/runtime.h"
#include "engine/script_error.h"
#include "engine/text.h"
#include "engine/trace.h"

namespace vtx {

namespace {

// Level 2 of the trace shows each call with the arguments it was given, once the list is read.
class TracedCall {
  public:
    explicit TracedCall(Runtime& rt) : rt_(rt), on_(rt.trace > 1) {
        if (on_) name_ = upper_copy(rt.tok.token);
    }
    ~TracedCall() {
        if (on_) trace_call(rt_, name_, list_);
    }
    void add(int kind, int32_t number, std::string_view text) {
        if (on_) trace_argument(list_, kind, number, text);
    }

  private:
    Runtime& rt_;
    bool on_;
    std::string name_, list_;
};

} // namespace

void arguments_by_signature(Runtime& rt, std::string_view signature,
                            std::initializer_list<ArgumentSlot> slots) {
    Tokenizer& t = rt.tok;
    // A function's list is read by its own line of the table, which the checker goes by too.
    assert(t.kind() != TK_FUNCTION || signature == kFunctionNames[t.function()].signature);
    TracedCall traced(rt);
    t.next_token();
    if (t.kind() != TK_LEFT_PAREN) throw ScriptError(kErrParameters);
    assert(slots.size() == signature.size());
    const ArgumentSlot* slot = slots.begin();
    for (std::size_t i = 0; i < signature.size(); ++i, ++slot) {
        char letter = signature[i];
        bool wants_text = is_text_letter(letter);
        assert(wants_text ? slot->text != nullptr : slot->number != nullptr);
        int32_t number = 0;
        int kind = evaluate_value(rt, true, number, wants_text ? *slot->text : t.token);
        if (kind != (wants_text ? KIND_STRING : KIND_INTEGER)) throw ScriptError(kErrParameters);
        if (!wants_text) *slot->number = number;
        traced.add(kind, number, wants_text ? *slot->text : t.token);
        if (i + 1 == signature.size()) break;
        t.next_token();
        if (t.kind() == TK_RIGHT_PAREN) {
            // An optional argument: the list may end before it.
            if (is_optional_letter(signature[i + 1])) return;
            throw ScriptError(kErrParameters);
        }
        if (t.kind() != TK_COMMA) throw ScriptError(kErrParameters);
    }
    t.next_token();
    if (t.kind() != TK_RIGHT_PAREN) throw ScriptError(kErrParameters);
}

} // namespace vtx
