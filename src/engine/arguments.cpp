#include "engine/arguments.h"

#include <cassert>

#include "engine/evaluator.h"
#include "engine/functions.h"
#include "engine/runtime.h"
#include "engine/script_error.h"
#include "engine/text.h"

namespace vtx {

void arguments_by_signature(Runtime& rt, std::string_view signature,
                            std::initializer_list<ArgumentSlot> slots) {
    Tokenizer& t = rt.tok;
    // The table's copy is what the checker goes by; the two must never drift apart.
    assert(t.kind() != TK_FUNCTION || signature == kFunctionNames[t.function()].signature);
    t.next_token();
    if (t.kind() != TK_LEFT_PAREN) throw ScriptError(kErrParameters);
    assert(slots.size() == signature.size());
    const ArgumentSlot* slot = slots.begin();
    for (std::size_t i = 0; i < signature.size(); ++i, ++slot) {
        char letter = signature[i];
        bool wants_text = letter == 'S' || letter == 's';
        assert(wants_text ? slot->text != nullptr : slot->number != nullptr);
        int32_t number = 0;
        int kind = evaluate_value(rt, true, number, wants_text ? *slot->text : t.token);
        if (kind != (wants_text ? KIND_STRING : KIND_INTEGER)) throw ScriptError(kErrParameters);
        if (!wants_text) *slot->number = number;
        if (i + 1 == signature.size()) break;
        t.next_token();
        if (t.kind() == TK_RIGHT_PAREN) {
            char next = signature[i + 1];
            if (next >= 'a' && next <= 'z') return;
            throw ScriptError(kErrParameters);
        }
        if (t.kind() != TK_COMMA) throw ScriptError(kErrParameters);
    }
    t.next_token();
    if (t.kind() != TK_RIGHT_PAREN) throw ScriptError(kErrParameters);
}

} // namespace vtx
