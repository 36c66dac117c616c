#include "engine/tokenizer.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "engine/compiled_expression.h"
#include "engine/compiled_statement.h"
#include "engine/functions.h"
#include "engine/script.h"
#include "engine/script_error.h"
#include "engine/text.h"

namespace vtx {

namespace {

// The longest keyword: a longer word is no keyword, without a search.
constexpr std::size_t longest_keyword() {
    std::size_t n = 0;
    for (const KeywordEntry& k : kKeywords) n = std::max(n, std::string_view(k.text).size());
    return n;
}

} // namespace

int find_keyword(std::string_view word) {
    if (word.empty() || word.size() > longest_keyword()) return -1;
    for (int i = 0; i < KW_COUNT; ++i)
        if (equal_nocase(word, kKeywords[i].text)) return i;
    return -1;
}

static_assert(kMaxScript + 2 <= UINT16_MAX, "cache positions are 16 bits");

ScriptText::ScriptText(std::string body) : text(std::move(body)) {
    if (text.size() > kMaxScript) text.resize(kMaxScript);
    // Two zero bytes: an operator at the very end looks at the character after it unchecked.
    text.push_back('\0');
    text.push_back('\0');
    // Zero-filled on demand: pages of a large script that are never scanned cost nothing.
    void* block = std::calloc(text.size(), sizeof(CachedToken));
    if (!block) throw ScriptError(kErrOutOfMemory);
    cache.reset(static_cast<CachedToken*>(block));
}

void ScriptText::FreeDeleter::operator()(void* p) const {
    std::free(p);
}

ScriptText::~ScriptText() = default;

namespace {

// Characters that end a word, number, label, variable or macro token.
struct StopTable {
    bool stop[256] = {};
    constexpr StopTable() {
        for (unsigned char c : std::string_view(" \t\n$,;@\"'*/+-()=<>")) stop[c] = true;
        stop[0] = true;
        stop[26] = true;
    }
};
constexpr StopTable kStops;

// One-character operators in the order of their kinds, from TK_STAR upwards.
constexpr char kOperators[] = "*/+-,()=<>";
static_assert(TK_SLASH == TK_STAR + 1 && TK_PLUS == TK_STAR + 2 && TK_MINUS == TK_STAR + 3 &&
              TK_COMMA == TK_STAR + 4 && TK_LEFT_PAREN == TK_STAR + 5 &&
              TK_RIGHT_PAREN == TK_STAR + 6 && TK_EQUAL == TK_STAR + 7 && TK_LESS == TK_STAR + 8 &&
              TK_GREATER == TK_STAR + 9);

// Positions are below kMaxScript + 2, so they narrow without loss.
CachedToken scanned(uint32_t start, uint32_t end, uint32_t text_begin, uint32_t length, int kind,
                    int function = -1, int32_t number = 0) {
    return {uint16_t(start),  uint16_t(end), uint16_t(text_begin),
            uint16_t(length), int16_t(kind), int16_t(function),
            number,           nullptr,       nullptr,
            nullptr};
}

int operator_kind(char c) {
    return TK_STAR + int(std::strchr(kOperators, c) - kOperators);
}

} // namespace

void Tokenizer::scan(CachedToken& entry) {
    const char* t = script_->text.data();
    uint32_t p = pos_;
    for (;;) {
        char c = t[p];
        if (c == ';') {
            while (t[p] != '\n' && t[p] != 26 && t[p] != '\0') ++p;
            // Step past what ended the comment, but never past the final zero byte.
            if (p + 1 < script_->text.size()) ++p;
        } else if (c == ' ' || c == '\t' || c == '\n') {
            ++p;
        } else {
            break;
        }
    }
    uint32_t begin = p;
    int k = TK_WORD;
    char first = t[p];
    char close = 0;
    switch (first) {
    case '\0':
    case 26: entry = scanned(begin, begin, begin, 0, TK_END); return;
    case '"':
    case '\'':
        k = TK_STRING;
        close = first;
        ++p;
        break;
    case ':':
        k = TK_LABEL;
        ++p;
        break;
    case '$': k = TK_VARIABLE; break;
    case '@': k = TK_MACRO; break;
    case '*':
    case '/':
    case '+':
    case '-':
    case ',':
    case '(':
    case ')':
    case '=':
    case '<':
    case '>': {
        char second = t[p + 1];
        k = operator_kind(first);
        uint32_t len = 1;
        if ((first == '=' && second == '>') || (first == '>' && second == '=')) {
            k = TK_GREATER_EQUAL;
            len = 2;
        } else if ((first == '=' && second == '<') || (first == '<' && second == '=')) {
            k = TK_LESS_EQUAL;
            len = 2;
        } else if ((first == '<' && second == '>') || (first == '>' && second == '<')) {
            k = TK_NOT_EQUAL;
            len = 2;
        }
        entry = scanned(begin, begin + len, begin, len, k);
        return;
    }
    default:
        if (first >= '0' && first <= '9') k = TK_NUMBER;
        break;
    }
    uint32_t text_begin = p;
    if (k == TK_STRING) {
        while (t[p] != close && t[p] != '\0' && t[p] != 26) ++p;
        uint32_t len = p - text_begin;
        if (t[p] == close) ++p;
        // Decided once per position: a literal without @, % or $ never needs expanding.
        std::string_view body(t + text_begin, len);
        int32_t plain = body.find_first_of("@%$") == std::string_view::npos;
        entry = scanned(begin, p, text_begin, len, TK_STRING, -1, plain);
    } else {
        // The sigil of a variable or macro is part of its text and is not a stop here.
        if (k == TK_VARIABLE || k == TK_MACRO) ++p;
        while (!kStops.stop[(unsigned char)t[p]]) ++p;
        uint32_t len = p - text_begin;
        int fn = -1;
        if (k == TK_LABEL && len == 0) {
            k = TK_NAME;
        } else if (k == TK_WORD) {
            std::string_view word(t + text_begin, len);
            int kw = find_keyword(word);
            if (kw >= 0) {
                k = kw;
            } else if ((fn = find_function(word)) >= 0) {
                k = TK_FUNCTION;
            } else {
                k = TK_NAME;
            }
        }
        int32_t number = k == TK_NUMBER ? text_to_int(std::string_view(t + text_begin, len)) : 0;
        entry = scanned(begin, p, text_begin, len, k, fn, number);
    }
}

void Tokenizer::attach(ScriptText* script) {
    script_ = script;
    pos_ = start_ = from_ = 0;
    kind_ = TK_END;
    function_ = -1;
    entry_ = nullptr;
}

void Tokenizer::detach(const ScriptText* script) {
    if (script_ != script) return;
    script_ = nullptr;
    entry_ = nullptr;
}

void Tokenizer::rewind(const Mark& m) {
    script_ = m.script;
    pos_ = m.pos;
    start_ = m.start;
    from_ = m.from;
    kind_ = m.kind;
    function_ = m.function;
    entry_ = m.entry;
}

void Tokenizer::next_token() {
    from_ = pos_;
    CachedToken& entry = script_->cache[pos_];
    if (entry.end == 0) scan(entry);
    if (entry.text_length > kMaxText) throw ScriptError(kErrTooLong);
    start_ = entry.start;
    kind_ = entry.kind;
    function_ = entry.function;
    token.clear(); // append is cheaper than a general assign for these short copies
    token.append(script_->text.data() + entry.text_begin, entry.text_length);
    entry_ = &entry;
    pos_ = entry.end;
}

void Tokenizer::skip_token() {
    uint32_t at = pos_;
    push_back_at(at);
    pos_ = entry_->end;
}

void Tokenizer::push_back_at(uint32_t at) {
    CachedToken& entry = script_->cache[at];
    if (entry.end == 0) {
        pos_ = at;
        scan(entry);
    }
    from_ = at;
    start_ = pos_ = entry.start;
    kind_ = entry.kind;
    function_ = entry.function;
    entry_ = &entry;
}

} // namespace vtx
