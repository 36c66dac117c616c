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
struct CompiledStatement;

// What one scan at a position produced; the text is a slice of the script text.
// Zero bytes mean "not scanned yet" (end is never 0 after a scan). A script holds at most
// 64000 characters, so its positions fit 16 bits: the cache has an entry per character.
struct CachedToken {
    uint16_t start;      // the token start, after blanks and comments
    uint16_t end;        // the reading position after the token
    uint16_t text_begin; // the token text is text[text_begin, text_begin + text_length)
    uint16_t text_length;
    int16_t kind;
    int16_t function;
    int32_t number;     // a number token's value, converted once; for a string token, 1
                        // when its text holds no @, % or $ (nothing to expand)
    Variable* variable; // the record a variable token names, once it exists
    // The integer expression that starts at this reading position, compiled on first use;
    // kNotCompiled when it has none or cannot be compiled.
    const CompiledExpression* expression;
    // The statement that starts at this reading position, compiled on its second visit
    // (engine/compiled_statement.cpp).
    const CompiledStatement* statement;
};

// A loaded script: the text (ended by two zero bytes) and the scan cache for it. A text
// longer than a script may be is cut, as the loader cuts it.
struct ScriptText {
    std::string text; // includes the two terminating zero bytes
    struct FreeDeleter {
        void operator()(void* p) const;
    };
    std::unique_ptr<CachedToken[], FreeDeleter> cache;
    std::vector<std::unique_ptr<CompiledExpression>> expressions; // owned for `cache`
    std::vector<std::unique_ptr<CompiledStatement>> statements;   // owned for `cache`
    explicit ScriptText(std::string body);
    ~ScriptText();
};

// The one reading cursor over a loaded script. Callers move it only by scanning
// (next_token, skip_token) and by the three rewinds below, so that everything a scan set
// moves together.
class Tokenizer {
  public:
    // The current token's text. Callers may also use it as a work buffer: nothing below
    // reads it back.
    std::string token;

    // Starts reading `script` from its first byte.
    void attach(ScriptText* script);
    // Forgets `script` when it is the one being read, before its text and cache go.
    void detach(const ScriptText* script);

    // Scans the next token and classifies words (keywords first, then functions).
    void next_token();
    // The same, leaving the token text buffer as it is: for callers that look only at the
    // kind of the next token.
    void skip_token();
    // The next next_token() scans the current token again.
    void push_back_token() { pos_ = start_; }

    // Everything a scan changes except the text buffer: a mark taken before a look-ahead
    // (or a CALL) and given to rewind() undoes it exactly.
    struct Mark {
        ScriptText* script;
        uint32_t pos, start, from;
        int kind, function;
        CachedToken* entry;
    };
    Mark mark() const { return {script_, pos_, start_, from_, kind_, function_, entry_}; }
    void rewind(const Mark& m);
    // Reading goes on at `position` (a block's start, a label, the end of a condition);
    // the current token still stands for the statement that jumped.
    void resume_at(uint32_t position) {
        pos_ = position;
        kind_ = TK_RESUMED;
    }
    // The current token becomes the end of the text: the run stops after this statement.
    void stop() { kind_ = TK_END; }
    // Makes the token scanned from `at` current and pushed back, as next_token() followed by
    // push_back_token() would, except that the token text buffer is left as it is.
    void push_back_at(uint32_t at);

    int kind() const { return kind_; }
    int function() const { return function_; } // valid when kind() == TK_FUNCTION
    uint32_t position() const { return pos_; } // the reading position
    uint32_t token_start() const { return start_; }
    uint32_t scan_from() const { return from_; } // where the last scan began
    ScriptText* script() const { return script_; }
    const char* text() const { return script_ ? script_->text.data() : nullptr; }

    // For a TK_NUMBER token: its value by the text-to-integer rule.
    int32_t number() const { return entry_->number; }
    // For a TK_STRING token: true when its text has nothing to expand.
    bool plain_literal() const { return entry_->number != 0; }
    // For a TK_VARIABLE token: the record it named when last looked up, or null. Records are
    // never removed and the first one created for a name wins, so a found record stays valid.
    Variable* cached_variable() const { return entry_->variable; }
    void cache_variable(Variable* v) { entry_->variable = v; }
    // The scan cache entry of the token that starts at the reading position.
    CachedToken& entry_here() { return script_->cache[pos_]; }

  private:
    ScriptText* script_ = nullptr;
    uint32_t pos_ = 0;   // reading position
    uint32_t start_ = 0; // start of the current token
    uint32_t from_ = 0;  // where the last scan began: the end of the token before
    int kind_ = TK_END;
    int function_ = -1;
    CachedToken* entry_ = nullptr; // the scan that produced the current token
    void scan(CachedToken& entry);
};

} // namespace vtx
