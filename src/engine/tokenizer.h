// The tokenizer: one reading position in the loaded script text, tokens scanned on demand.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/tokens.h"

namespace vtx {

struct Variable;
struct CompiledExpression;

// What one scan at a position produced; the text is a slice of the script text.
// Zero bytes mean "not scanned yet" (end is never 0 after a scan).
struct CachedToken {
    uint32_t start;      // the token start, after blanks and comments
    uint32_t end;        // the reading position after the token
    uint32_t text_begin; // the token text is text[text_begin, text_begin + text_length)
    uint32_t text_length;
    int16_t kind;
    int16_t function;
    int32_t number;     // a number token's value, converted once
    Variable* variable; // the record a variable token names, once it exists
    // The integer expression that starts at this reading position, compiled on first use;
    // kNotCompiled when it has none or cannot be compiled.
    const CompiledExpression* expression;
};

// A loaded script: the text (ended by two zero bytes) and the scan cache for it.
struct ScriptText {
    std::string text; // includes the two terminating zero bytes
    struct FreeDeleter {
        void operator()(void* p) const;
    };
    std::unique_ptr<CachedToken[], FreeDeleter> cache;
    std::vector<std::unique_ptr<CompiledExpression>> expressions; // owned for `cache`
    explicit ScriptText(std::string body);
    ~ScriptText();
};

struct Tokenizer {
    ScriptText* script = nullptr;
    uint32_t pos = 0;   // reading position
    uint32_t start = 0; // start of the current token
    uint32_t from = 0;  // where the last scan began: the end of the token before
    int kind = TK_END;
    int function = -1; // valid when kind == TK_FUNCTION
    std::string token; // the token text buffer

    // Scans the next token and classifies words (keywords first, then functions).
    void next_token();
    // The same, leaving the token text buffer as it is: for callers that look only at the
    // kind of the next token.
    void skip_token();
    // The next next_token() scans the current token again.
    void push_back_token() { pos = start; }
    // Makes the token scanned from `at` current and pushed back, as next_token() followed by
    // push_back_token() would, except that the token text buffer is left as it is.
    void push_back_at(uint32_t at);
    const char* text() const { return script ? script->text.data() : nullptr; }

    // For a TK_NUMBER token: its value by the text-to-integer rule.
    int32_t number() const { return entry_->number; }
    // For a TK_VARIABLE token: the record it named when last looked up, or null. Records are
    // never removed and the first one created for a name wins, so a found record stays valid.
    Variable* cached_variable() const { return entry_->variable; }
    void cache_variable(Variable* v) { entry_->variable = v; }

    // Everything next_token changes, so that a look-ahead can be undone exactly.
    struct State {
        uint32_t pos, start, from;
        int kind, function;
        CachedToken* entry;
        std::string token;
    };
    State save() const { return {pos, start, from, kind, function, entry_, token}; }
    void restore(const State& s) {
        pos = s.pos, start = s.start, from = s.from, kind = s.kind, function = s.function;
        entry_ = s.entry;
        token = s.token;
    }
    CachedToken& entry_at(uint32_t at) { return script->cache[at]; }

  private:
    CachedToken* entry_ = nullptr; // the scan that produced the current token
    void scan(CachedToken& entry);
};

} // namespace vtx
