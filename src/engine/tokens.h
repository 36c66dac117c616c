// Token kinds and the statement keyword list.
#pragma once

#include <string_view>

namespace vtx {

// What a keyword does where a statement starts: a command has a handler in its folder's
// table, a control keyword is the interpreter's own, a part only appears inside statements
// (and where a statement starts reads as a drive change).
enum KeywordRole { kCommand, kControl, kPart };

// Every statement keyword, once: its id (KW_id), its text and its role. A keyword token's
// kind is its position here.
#define VTX32_KEYWORDS(X)                                                                          \
    X(AT, "AT", kCommand)                                                                          \
    X(AND, "AND", kPart)                                                                           \
    X(BEEP, "BEEP", kCommand)                                                                      \
    X(BIG, "BIG", kCommand)                                                                        \
    X(BOX, "BOX", kCommand)                                                                        \
    X(BREAK, "BREAK", kCommand)                                                                    \
    X(CALL, "CALL", kControl)                                                                      \
    X(CD, "CD", kCommand)                                                                          \
    X(CLS, "CLS", kCommand)                                                                        \
    X(COLOR, "COLOR", kCommand)                                                                    \
    X(DEL, "DEL", kCommand)                                                                        \
    X(DISPLAY, "DISPLAY", kCommand)                                                                \
    X(DO, "DO", kControl)                                                                          \
    X(ENDIF, "ENDIF", kControl)                                                                    \
    X(ELSE, "ELSE", kControl)                                                                      \
    X(EXIT, "EXIT", kControl)                                                                      \
    X(FILE, "FILE", kPart)                                                                         \
    X(FLUSHKB, "FLUSHKB", kCommand)                                                                \
    X(GET, "GET", kCommand)                                                                        \
    X(GETS, "GETS", kCommand)                                                                      \
    X(GO, "GO", kCommand)                                                                          \
    X(GOTO, "GOTO", kControl)                                                                      \
    X(IF, "IF", kControl)                                                                          \
    X(LIST, "LIST", kPart)                                                                         \
    X(LOOP, "LOOP", kControl)                                                                      \
    X(MD, "MD", kCommand)                                                                          \
    X(PRINT, "?", kCommand)                                                                        \
    X(OR, "OR", kPart)                                                                             \
    X(PASSWORD, "PASSWORD", kCommand)                                                              \
    X(PLAY, "PLAY", kCommand)                                                                      \
    X(RUN, "RUN", kCommand)                                                                        \
    X(SET, "SET", kCommand)                                                                        \
    X(SETL, "SETL", kCommand)                                                                      \
    X(SETM, "SETM", kCommand)                                                                      \
    X(SETTIME, "SETTIME", kCommand)                                                                \
    X(SHELL, "SHELL", kCommand)                                                                    \
    X(SLEEP, "SLEEP", kCommand)                                                                    \
    X(SMALL, "SMALL", kCommand)                                                                    \
    X(UNTIL, "UNTIL", kControl)                                                                    \
    X(USE, "USE", kCommand)                                                                        \
    X(WHILE, "WHILE", kControl)

enum Keyword {
#define VTX32_KEYWORD_ID(id, text, role) KW_##id,
    VTX32_KEYWORDS(VTX32_KEYWORD_ID)
#undef VTX32_KEYWORD_ID
        KW_COUNT
};

enum TokenKind {
    TK_END = -9,
    TK_WORD = -10,
    TK_NAME = -11,
    TK_FUNCTION = -12,
    TK_MACRO = -13,
    TK_VARIABLE = -14,
    TK_STRING = -15,
    TK_LABEL = -16,
    TK_NUMBER = -17,
    TK_NOT_EQUAL = -18,
    TK_GREATER_EQUAL = -19,
    TK_LESS_EQUAL = -20,
    TK_GREATER = -21,
    TK_LESS = -22,
    TK_EQUAL = -23,
    TK_RIGHT_PAREN = -24,
    TK_LEFT_PAREN = -25,
    TK_COMMA = -26,
    TK_MINUS = -27,
    TK_PLUS = -28,
    TK_SLASH = -29,
    TK_STAR = -30,
    // Not scanned from text: the current token after a jump, which must not end the run.
    TK_RESUMED = -31,
};

// Value kinds share the codes of a number and a string token.
inline constexpr int KIND_INTEGER = TK_NUMBER;
inline constexpr int KIND_STRING = TK_STRING;

struct KeywordEntry {
    const char* text;
    KeywordRole role;
};
inline constexpr KeywordEntry kKeywords[KW_COUNT] = {
#define VTX32_KEYWORD_ENTRY(id, text, role) {text, role},
    VTX32_KEYWORDS(VTX32_KEYWORD_ENTRY)
#undef VTX32_KEYWORD_ENTRY
};

// Index of the statement keyword equal to `word` (case-blind), or -1.
int find_keyword(std::string_view word);

// A statement that starts with one of these is an expression whose value is written out.
inline bool starts_expression_statement(int kind) {
    return kind == TK_STRING || kind == TK_NUMBER || kind == TK_MACRO || kind == TK_FUNCTION ||
           kind == TK_PLUS || kind == TK_MINUS || kind == TK_LEFT_PAREN;
}

// A keyword that can begin a statement: a command or a control keyword, not a part.
inline bool begins_statement(int kind) {
    return kind >= 0 && kind < KW_COUNT && kKeywords[kind].role != kPart;
}

// The comparison operators are one range of kinds.
static_assert(TK_LESS == TK_EQUAL + 1 && TK_GREATER == TK_EQUAL + 2 &&
              TK_LESS_EQUAL == TK_EQUAL + 3 && TK_GREATER_EQUAL == TK_EQUAL + 4 &&
              TK_NOT_EQUAL == TK_EQUAL + 5);
inline bool is_comparison(int kind) {
    return kind >= TK_EQUAL && kind <= TK_NOT_EQUAL;
}
// Keywords count up from 0 and every other kind is negative: `kind >= 0` means a keyword.
static_assert(TK_END < 0 && TK_RESUMED < 0);

} // namespace vtx
