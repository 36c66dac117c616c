// Token kinds and the statement keyword table.
#pragma once

#include <string_view>

namespace vtx {

enum Keyword {
    KW_AT,
    KW_AND,
    KW_BEEP,
    KW_BIG,
    KW_BOX,
    KW_BREAK,
    KW_CALL,
    KW_CD,
    KW_CLS,
    KW_COLOR,
    KW_DEL,
    KW_DISPLAY,
    KW_DO,
    KW_ENDIF,
    KW_ELSE,
    KW_EXIT,
    KW_FILE,
    KW_FLUSHKB,
    KW_GET,
    KW_GETS,
    KW_GO,
    KW_GOTO,
    KW_IF,
    KW_LIST,
    KW_LOOP,
    KW_MD,
    KW_PRINT,
    KW_OR,
    KW_PASSWORD,
    KW_PLAY,
    KW_RUN,
    KW_SET,
    KW_SETL,
    KW_SETM,
    KW_SETTIME,
    KW_SHELL,
    KW_SLEEP,
    KW_SMALL,
    KW_UNTIL,
    KW_USE,
    KW_WHILE,
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
};

// Value kinds share the codes of a number and a string token.
inline constexpr int KIND_INTEGER = TK_NUMBER;
inline constexpr int KIND_STRING = TK_STRING;

extern const char* const kKeywords[KW_COUNT];

// Index of the statement keyword equal to `word` (case-blind), or -1.
int find_keyword(std::string_view word);

// A statement that starts with one of these is an expression whose value is written out.
inline bool starts_expression_statement(int kind) {
    return kind == TK_STRING || kind == TK_NUMBER || kind == TK_MACRO || kind == TK_FUNCTION ||
           kind == TK_PLUS || kind == TK_MINUS || kind == TK_LEFT_PAREN;
}

// A keyword that can begin a statement: AND and OR are operators, FILE and LIST words of
// PLAY and USE.
inline bool begins_statement(int kind) {
    return kind >= 0 && kind != KW_AND && kind != KW_OR && kind != KW_FILE && kind != KW_LIST;
}

inline bool is_comparison(int kind) {
    return kind >= TK_EQUAL && kind <= TK_NOT_EQUAL;
}

} // namespace vtx
