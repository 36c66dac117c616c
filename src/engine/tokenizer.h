// The tokenizer: one reading position in the loaded script text, tokens scanned on demand.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "engine/tokens.h"

namespace vtx {

// What one scan at a position produced; the text is a slice of the script text.
// Zero bytes mean "not scanned yet" (end is never 0 after a scan).
struct CachedToken {
    uint32_t start;       // the token start, after blanks and comments
    uint32_t end;         // the reading position after the token
    uint32_t text_begin;  // the token text is text[text_begin, text_begin + text_length)
    uint32_t text_length;
    int16_t kind;
    int16_t function;
};

// A loaded script: the text (ended by two zero bytes) and the scan cache for it.
struct ScriptText {
    std::string text; // includes the two terminating zero bytes
    struct FreeDeleter {
        void operator()(void* p) const;
    };
    std::unique_ptr<CachedToken[], FreeDeleter> cache;
    explicit ScriptText(std::string body);
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
    // The next next_token() scans the current token again.
    void push_back_token() { pos = start; }
    const char* text() const { return script ? script->text.data() : nullptr; }

  private:
    void scan(CachedToken& entry);
};

} // namespace vtx
