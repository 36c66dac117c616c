// Token kinds and the statement keyword list.
#pragma once

#include <string_view>

namespace vtx {

// What a keyword does where a statement starts: a command has a handler in its folder's
// table, a control keyword is the interpreter's own, a part only appears inside statements
// (and where a statement starts reads as a drive change).
enum KeywordRole { kCommand, kControl, kPart };

// Every statement keyword, once: its id (KW_id), its text, its role and, for a command, the
// shape of what follows it, read by the handler and by the checker alike. A keyword token's
// kind is its position here. A shape is a sequence of parts, each part one of:
//   E        an expression (missing: script error 14)
//   (SIG)    a parenthesised argument list against SIG, as arguments_by_signature reads it
//   V        a variable (missing: script error 11)
//   C        colour words, maybe none (a word that is no colour: script error 12)
//   D        a device word, one token (missing: script error 7)
//   w        any one word
//   NAME     that keyword (LIST, FILE)
//   /DELETE  a slash and a word that abbreviates DELETE
//   /O       a slash and an option word; its value follows the word's colon, or else is the
//            next expression
//   [...]    optional: present when the next token can start it (a keyword or a slash where
//            the part starts with one, else anything but the end of the script)
//   a | b    the first alternative whose start the next token fits; the last takes the rest
// Control keywords are the interpreter's own and parts appear only inside statements: their
// shape is empty.
#define VTX32_KEYWORDS(X)                                                                          \
    X(AT, "AT", kCommand, "(II)")                                                                  \
    X(AND, "AND", kPart, "")                                                                       \
    X(BEEP, "BEEP", kCommand, "")                                                                  \
    X(BIG, "BIG", kCommand, "")                                                                    \
    X(BOX, "BOX", kCommand, "(IIIIS)")                                                             \
    X(BREAK, "BREAK", kCommand, "[w]")                                                             \
    X(CALL, "CALL", kControl, "")                                                                  \
    X(CD, "CD", kCommand, "E")                                                                     \
    X(CLS, "CLS", kCommand, "")                                                                    \
    X(COLOR, "COLOR", kCommand, "C")                                                               \
    X(DEL, "DEL", kCommand, "E")                                                                   \
    X(DISPLAY, "DISPLAY", kCommand, "E")                                                           \
    X(DO, "DO", kControl, "")                                                                      \
    X(ENDIF, "ENDIF", kControl, "")                                                                \
    X(ELSE, "ELSE", kControl, "")                                                                  \
    X(EXIT, "EXIT", kControl, "")                                                                  \
    X(FILE, "FILE", kPart, "")                                                                     \
    X(FLUSHKB, "FLUSHKB", kCommand, "")                                                            \
    X(GET, "GET", kCommand, "V")                                                                   \
    X(GETS, "GETS", kCommand, "V")                                                                 \
    X(GO, "GO", kCommand, "E")                                                                     \
    X(GOTO, "GOTO", kControl, "")                                                                  \
    X(IF, "IF", kControl, "")                                                                      \
    X(LIST, "LIST", kPart, "")                                                                     \
    X(LOOP, "LOOP", kControl, "")                                                                  \
    X(MD, "MD", kCommand, "E")                                                                     \
    X(PRINT, "?", kCommand, "")                                                                    \
    X(OR, "OR", kPart, "")                                                                         \
    X(PASSWORD, "PASSWORD", kCommand, "E")                                                         \
    X(PLAY, "PLAY", kCommand, "[FILE] E")                                                          \
    X(RUN, "RUN", kCommand, "E")                                                                   \
    X(SET, "SET", kCommand, "E")                                                                   \
    X(SETL, "SETL", kCommand, "E")                                                                 \
    X(SETM, "SETM", kCommand, "E")                                                                 \
    X(SETTIME, "SETTIME", kCommand, "E")                                                           \
    X(SHELL, "SHELL", kCommand, "E")                                                               \
    X(SLEEP, "SLEEP", kCommand, "E")                                                               \
    X(SMALL, "SMALL", kCommand, "")                                                                \
    X(UNTIL, "UNTIL", kControl, "")                                                                \
    X(USE, "USE", kCommand, "LIST | D [/DELETE | E [/O] [/O]]")                                    \
    X(WHILE, "WHILE", kControl, "")

enum Keyword {
#define VTX32_KEYWORD_ID(id, text, role, syntax) KW_##id,
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
    const char* syntax;
};
inline constexpr KeywordEntry kKeywords[KW_COUNT] = {
#define VTX32_KEYWORD_ENTRY(id, text, role, syntax) {text, role, syntax},
    VTX32_KEYWORDS(VTX32_KEYWORD_ENTRY)
#undef VTX32_KEYWORD_ENTRY
};

// The signature of the argument list a command's shape starts with, as in "(II)" -> "II".
constexpr std::string_view statement_signature(int keyword) {
    std::string_view shape = kKeywords[keyword].syntax;
    return shape.size() > 1 && shape.front() == '(' ? shape.substr(1, shape.find(')') - 1)
                                                    : std::string_view();
}

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
