// One pass over a script's tokens, statement by statement, in the order the text gives
// them: every statement is read as the interpreter would read it, and nothing runs.
#include <algorithm>
#include <map>
#include <set>

#include "checker/checker.h"
#include "checker/text_checks.h"
#include "engine/colour_words.h"
#include "engine/functions.h"
#include "engine/script.h"
#include "engine/script_error.h"
#include "engine/script_location.h"
#include "engine/text.h"
#include "engine/tokenizer.h"
#include "engine/variables.h"

namespace vtx {

namespace {

// Words other languages use that this one does not know: here each is a plain text.
constexpr std::string_view kForeignWords[] = {"NOT",    "ELSEIF", "THEN",  "ELSIF",
                                              "SELECT", "UPPER",  "LOWER", "TRIM"};

bool is_foreign_word(std::string_view word) {
    for (std::string_view w : kForeignWords)
        if (equal_nocase(word, w)) return true;
    return false;
}

// An expression's type is its first operand's; a variable's or a macro's is known only
// when the script runs.
enum class Type { none, integer, string, unknown };

// What one operand of an expression was, as far as reading it tells.
struct Operand {
    bool number = false;          // a number literal
    bool string_function = false; // a call of a function that gives text
    std::string function;         // its name, as written
};

struct Block {
    uint32_t pos;
    bool had_else = false;
};

bool is_drive(std::string_view word) {
    char c = word.size() == 2 ? fold(word[0]) : 0;
    return c >= 'a' && c <= 'z' && word[1] == ':';
}

class ScriptWalk {
  public:
    ScriptWalk(const std::string& name, const ScriptSource& source, Findings& out,
               std::vector<CalledScript>& calls)
        : name_(name), source_(source), text_(source.text), out_(out), calls_(calls) {
        t_.attach(&text_);
    }

    void run() {
        if (source_.byte_order_mark)
            warn(0, std::string("the script starts with a UTF-") +
                        (source_.byte_order_mark == 8 ? "8" : "16") +
                        " byte-order mark: older versions of the program stop on this line "
                        "with \"unknown command\"; save it without one");
        if (source_.cut)
            error(uint32_t(kMaxScript), "the script is longer than 64000 characters: the rest "
                                        "is never read");
        try {
            index_labels();
            t_.attach(&text_);
            for (next(); t_.kind() != TK_END; next()) statement();
        } catch (const ScriptError& e) {
            // Only an overlong token gets here: the interpreter would stop at it as well.
            error(t_.position(), script_error_message(e.code));
        }
        report_open("IF", "ENDIF", ifs_);
        report_open("WHILE", "LOOP", whiles_);
        report_open("DO", "UNTIL", dos_);
    }

  private:
    const std::string& name_;
    const ScriptSource& source_;
    ScriptText text_;
    Tokenizer t_;
    Findings& out_;
    std::vector<CalledScript>& calls_;
    LabelIndex labels_;
    bool has_goto_ = false;
    std::vector<Block> ifs_, whiles_, dos_;
    // Variable names cut to their significant length and folded -> the first full name
    // (folded, as written) and where it stands.
    struct FirstName {
        std::string folded, written;
        uint32_t pos;
    };
    std::map<std::string, FirstName> variables_;
    std::set<std::string> reported_names_;
    uint32_t tokens_ = 0;           // tokens read so far: tells a one-token expression
    uint32_t expression_start_ = 0; // where the last expression began

    // --- findings ---------------------------------------------------------------------

    void report(uint32_t pos, bool is_error, std::string text) {
        std::string_view body = script_body(text_);
        std::string_view line = line_at(body, pos);
        uint32_t column = uint32_t(pos - std::size_t(line.data() - body.data())) + 1;
        out_.push_back({name_, line_number(body, pos), column, is_error, std::move(text)});
    }
    void error(uint32_t pos, std::string text) { report(pos, true, std::move(text)); }
    void warn(uint32_t pos, std::string text) { report(pos, false, std::move(text)); }

    // Nesting found by reading in text order. A GOTO can enter or leave a block, so in a
    // script that holds one these are only likely, not certain.
    void block_finding(uint32_t pos, const char* message) {
        if (has_goto_)
            warn(pos, std::string(message) + " (unless a GOTO changes the nesting)");
        else
            error(pos, message);
    }

    void report_open(const char* opener, const char* closer, const std::vector<Block>& open) {
        for (const Block& b : open)
            warn(b.pos, std::string(opener) + " without " + closer +
                            ": the block is still open at the end of the script");
    }

    // --- tokens -----------------------------------------------------------------------

    // The cursor and the token text: a look-ahead must give back both.
    struct Saved {
        Tokenizer::Mark mark;
        std::string token;
    };
    Saved save() const { return {t_.mark(), t_.token}; }
    void restore(const Saved& s) {
        t_.rewind(s.mark);
        t_.token = s.token;
    }

    void next() {
        t_.next_token();
        ++tokens_;
    }

    // The token after the current one, without moving on: its kind and where it starts.
    struct Ahead {
        int kind;
        uint32_t start;
    };
    Ahead look_ahead() {
        Saved saved = save();
        t_.next_token();
        Ahead ahead{t_.kind(), t_.token_start()};
        restore(saved);
        return ahead;
    }
    int peek() { return look_ahead().kind; }

    void index_labels() {
        for (t_.next_token(); t_.kind() != TK_END; t_.next_token()) {
            if (t_.kind() == TK_LABEL && labels_.find(t_.token) < 0)
                labels_.add(t_.token, t_.position());
            if (t_.kind() == KW_GOTO) has_goto_ = true;
        }
    }

    void note_variable(std::string_view name, uint32_t pos) {
        std::string full = fold_copy(name);
        std::string cut = full.substr(0, Variables::kNameLength);
        auto [it, added] = variables_.try_emplace(cut, FirstName{full, std::string(name), pos});
        if (added || it->second.folded == full || !reported_names_.insert(full).second) return;
        warn(pos, std::string(name) + " is the same variable as " + it->second.written + " (line " +
                      std::to_string(line_number(script_body(text_), it->second.pos)) +
                      "): only the first 14 characters of a name count, $ included");
    }

    // A text that the interpreter expands when it uses it.
    void check_literal(std::string_view text, uint32_t text_pos) {
        for (const TextFinding& f : check_text(text))
            report(text_pos + uint32_t(f.offset), f.error, f.text);
        for (std::string_view v : variables_in_text(text))
            note_variable(v, text_pos + uint32_t(v.data() - text.data()));
    }

    // Where the current string token's text begins (after its opening quote).
    uint32_t text_start() const {
        return t_.kind() == TK_STRING ? t_.token_start() + 1 : t_.token_start();
    }

    // --- statements -------------------------------------------------------------------

    void statement() {
        switch (t_.kind()) {
        case KW_IF: open_block(ifs_, kErrNestedIf); return condition();
        case KW_ELSE: return statement_else();
        case KW_ENDIF: return close_block(ifs_, kErrEndifWithoutIf);
        case KW_WHILE: open_block(whiles_, kErrNestedWhile); return condition();
        case KW_LOOP: return close_block(whiles_, kErrLoopWithoutWhile);
        case KW_DO: return open_block(dos_, kErrNestedDo);
        case KW_UNTIL:
            if (dos_.empty())
                block_finding(t_.token_start(),
                              "UNTIL without DO (reported as \"LOOP without DO\")");
            else
                dos_.pop_back();
            return condition();
        case KW_GOTO: return statement_goto();
        case KW_CALL: return statement_call();
        case KW_EXIT: expression(false); return;
        case TK_LABEL: return;
        case TK_VARIABLE: return statement_variable();
        default:
            if (starts_expression_statement(t_.kind())) {
                t_.push_back_token();
                expression(true);
                return;
            }
            if (begins_statement(t_.kind())) return command(t_.kind());
            return unknown_command();
        }
    }

    void condition() { expression(true); }

    void open_block(std::vector<Block>& stack, int too_deep) {
        if (stack.size() >= 10) block_finding(t_.token_start(), script_error_message(too_deep));
        stack.push_back({t_.token_start()});
    }

    void close_block(std::vector<Block>& stack, int without) {
        if (stack.empty())
            block_finding(t_.token_start(), script_error_message(without));
        else
            stack.pop_back();
    }

    void statement_else() {
        if (ifs_.empty())
            return block_finding(t_.token_start(), script_error_message(kErrElseWithoutIf));
        if (ifs_.back().had_else)
            return block_finding(t_.token_start(), "ELSE without IF: this IF already had its ELSE");
        ifs_.back().had_else = true;
    }

    void unknown_command() {
        if (is_drive(t_.token)) return;
        std::string word = t_.kind() == TK_STRING ? "\"" + t_.token + "\"" : t_.token;
        std::string text = "unknown command";
        if (!t_.token.empty()) text += " " + word;
        if (t_.kind() == TK_NAME && peek() == TK_LEFT_PAREN)
            text += ": " + t_.token + " is no function";
        else if (t_.kind() == TK_NAME && is_foreign_word(t_.token))
            text += ": the language has no " + fold_upper(t_.token);
        error(t_.token_start(), text);
    }

    void statement_variable() {
        note_variable(t_.token, t_.token_start());
        uint32_t start = t_.token_start();
        next();
        if (t_.kind() != TK_EQUAL) t_.push_back_at(start);
        expression(true);
    }

    void statement_goto() {
        std::string label;
        uint32_t pos = 0;
        if (!literal_expression(label, pos)) return;
        if (labels_.find(label) < 0)
            error(pos, "LABEL not found: the script has no label :" + label);
    }

    void statement_call() {
        std::string name;
        uint32_t pos = 0;
        if (!literal_expression(name, pos)) return;
        std::string_view body = script_body(text_);
        std::string_view line = line_at(body, pos);
        calls_.push_back({name, line_number(body, pos),
                          uint32_t(pos - std::size_t(line.data() - body.data())) + 1});
    }

    // Reads a required expression; true when it was one literal whose text needs no
    // expansion, which is then in `text` (and where it stands in `pos`).
    bool literal_expression(std::string& text, uint32_t& pos) {
        Saved first = save();
        uint32_t before = tokens_;
        if (expression(true) == Type::none || tokens_ - before != 2) return false;
        Saved after = save();
        restore(first);
        next();
        bool plain = t_.kind() == TK_STRING || t_.kind() == TK_NAME || t_.kind() == TK_NUMBER;
        text = t_.token;
        pos = t_.token_start();
        restore(after);
        return plain && text.find_first_of("@%$") == std::string::npos;
    }

    void command(int keyword) {
        switch (keyword) {
        case KW_AT: return argument_list("AT", "II");
        case KW_BOX: return argument_list("BOX", "IIIIS");
        case KW_BEEP:
        case KW_BIG:
        case KW_CLS:
        case KW_FLUSHKB:
        case KW_PRINT:
        case KW_SMALL: return;
        case KW_BREAK:
            next();
            if (t_.kind() == TK_END) t_.push_back_token();
            return;
        case KW_COLOR: return statement_color();
        case KW_GET:
        case KW_GETS: return statement_get();
        case KW_PLAY:
            next();
            if (t_.kind() != KW_FILE) t_.push_back_token();
            expression(true);
            return;
        case KW_USE: return statement_use();
        default: expression(true); return; // one expression: CD, DEL, RUN, SET, GO, ...
        }
    }

    void statement_color() {
        uint32_t at = t_.token_start();
        uint32_t line = line_number(script_body(text_), at);
        int attribute = colour_from_words(t_);
        if (attribute < 0) {
            uint32_t bad = t_.token_start();
            std::string text = script_error_message(kErrColor);
            if (line_number(script_body(text_), bad) > line)
                text += ": the COLOR words run on into this line; end them with a background "
                        "colour (as in COLOR y/n) or put COLOR last on its line";
            else
                text += " " + (t_.kind() == TK_STRING ? "\"" + t_.token + "\"" : t_.token);
            error(bad, text);
            // A word of a later line is most likely the next statement: read it as one;
            // the rest of a bad colour on its own line is not.
            if (line_number(script_body(text_), bad) > line) return t_.push_back_token();
            for (Ahead a = look_ahead();
                 a.kind != TK_END && line_number(script_body(text_), a.start) == line;
                 a = look_ahead())
                next();
            return;
        }
        // The last word read: before the given-back token, or the current one.
        uint32_t last_end = t_.position() == t_.token_start() ? t_.scan_from() : t_.position();
        if (last_end > at && line_number(script_body(text_), last_end - 1) > line)
            warn(at, "the COLOR words run across a line end and take words of the next line");
    }

    void statement_get() {
        next();
        if (t_.kind() == TK_VARIABLE)
            note_variable(t_.token, t_.token_start());
        else
            error(t_.token_start(), std::string(script_error_message(kErrParameters)) +
                                        ": GET and GETS need a variable");
    }

    void statement_use() {
        uint32_t at = t_.token_start();
        next();
        if (t_.kind() == KW_LIST) return;
        if (t_.kind() == TK_END) return error(at, script_error_message(kErrUse));
        if (t_.kind() == TK_STRING) check_literal(t_.token, text_start());
        next();
        if (t_.kind() == TK_END) return;
        if (t_.kind() == TK_SLASH) return next();
        t_.push_back_token();
        expression(true);
        for (int i = 0; i < 2; ++i) {
            next();
            if (t_.kind() != TK_SLASH) return t_.push_back_token();
            next();
            if (t_.kind() == TK_END) return;
            std::size_t colon = t_.token.find(':');
            if (colon == std::string::npos || colon + 1 >= t_.token.size()) expression(true);
        }
    }

    // --- expressions ------------------------------------------------------------------
    // The evaluator's grammar, read the same way: the first operand fixes the type, a
    // string expression knows only +, comparisons, AND and OR. Where the type waits for the
    // run (a variable, a macro) both grammars are accepted.

    // Reads the expression that starts at the next token; the token after it is given back.
    Type expression(bool required) {
        next();
        expression_start_ = t_.token_start();
        Type type = first_type();
        if (type == Type::none) {
            if (!required) {
                t_.push_back_token();
                return type;
            }
            std::string text = expected_text();
            if (t_.kind() >= 0)
                text += ": " + fold_upper(t_.token) + " is a keyword; a label or a text of " +
                        "that name needs quotes";
            error(t_.token_start(), text);
            // A keyword is taken as the missing operand, so that it does not read as a
            // statement too.
            if (t_.kind() < 0) t_.push_back_token();
            return type;
        }
        logic(type);
        t_.push_back_token();
        return type;
    }

    std::string expected_text() const {
        std::string text = script_error_message(kErrExpected);
        if (t_.kind() == TK_END) return text + " before the end of the script";
        if (t_.kind() == TK_LABEL)
            text += ", not :" + t_.token + " (a label is no expression)";
        else if (!t_.token.empty())
            text += ", not " + t_.token;
        return text;
    }

    Type first_type() {
        switch (t_.kind()) {
        case TK_NUMBER:
        case TK_PLUS:
        case TK_MINUS: return Type::integer;
        case TK_STRING:
        case TK_NAME: return Type::string;
        case TK_VARIABLE:
        case TK_MACRO: return Type::unknown;
        case TK_FUNCTION:
            return function_kind(t_.function()) == KIND_STRING ? Type::string : Type::integer;
        case TK_LEFT_PAREN: {
            Saved saved = save();
            do t_.next_token();
            while (t_.kind() == TK_LEFT_PAREN);
            Type type = first_type();
            restore(saved);
            return type == Type::none ? Type::unknown : type;
        }
        default: return Type::none;
        }
    }

    void logic(Type type) {
        comparison(type);
        while (t_.kind() == KW_AND || t_.kind() == KW_OR) {
            expression(true);
            next();
        }
    }

    void comparison(Type type) {
        Operand left = additive(type);
        if (!is_comparison(t_.kind())) return;
        uint32_t at = t_.token_start();
        next();
        Operand right = additive(type);
        if (left.string_function && right.number)
            warn(at, left.function +
                         " gives text, so this compares texts (\"30\" > \"100\" is "
                         "true): write 0 + " +
                         left.function + "(...) to compare numbers");
    }

    Operand additive(Type type) {
        Operand first = multiplicative(type);
        while (t_.kind() == TK_PLUS || (t_.kind() == TK_MINUS && type != Type::string)) {
            bool plus = t_.kind() == TK_PLUS;
            uint32_t at = t_.token_start();
            next();
            Operand right = multiplicative(type);
            if (plus && first.string_function && right.number)
                warn(at, first.function +
                             " gives text, so + joins the number to it (\"1\" + 1 "
                             "is \"11\"): compute the number first, as in $n = 0 + " +
                             first.function + "(...) + 1");
            first = Operand{};
        }
        return first;
    }

    Operand multiplicative(Type type) {
        Operand first = unary(type);
        while (type != Type::string && (t_.kind() == TK_STAR || t_.kind() == TK_SLASH)) {
            next();
            unary(type);
            first = Operand{};
        }
        return first;
    }

    Operand unary(Type type) {
        if (type != Type::string && (t_.kind() == TK_PLUS || t_.kind() == TK_MINUS)) {
            next();
            parenthesis(type);
            return {};
        }
        return parenthesis(type);
    }

    Operand parenthesis(Type type) {
        if (t_.kind() != TK_LEFT_PAREN) return primary(type);
        next();
        logic(type);
        if (t_.kind() != TK_RIGHT_PAREN) {
            error(t_.token_start(), expected_text() + ": ( without )");
            return {};
        }
        next();
        return {};
    }

    Operand primary(Type type) {
        Operand o;
        switch (t_.kind()) {
        case TK_NUMBER: o.number = true; break;
        case TK_STRING:
        case TK_MACRO: check_literal(t_.token, text_start()); break;
        case TK_VARIABLE: note_variable(t_.token, t_.token_start()); break;
        case TK_NAME:
            if (type == Type::integer) {
                error(t_.token_start(), expected_text());
                break;
            }
            bare_word();
            break;
        case TK_FUNCTION:
            o.string_function = function_kind(t_.function()) == KIND_STRING;
            o.function = fold_upper(t_.token);
            function_call();
            return o;
        case TK_RIGHT_PAREN:
            if (type == Type::string) error(t_.token_start(), expected_text());
            return o; // an empty operand, as in 5 + (): the ")" is left for the caller
        default: error(t_.token_start(), expected_text()); return o;
        }
        next();
        return o;
    }

    // A word that names nothing is its own text: the trap of words from other languages.
    void bare_word() {
        std::string upper = fold_upper(t_.token);
        if (peek() == TK_LEFT_PAREN)
            warn(t_.token_start(), upper + " is no function: it is the text \"" + t_.token +
                                       "\", and the ( ) after it is a statement of its own");
        else if (is_foreign_word(t_.token))
            warn(t_.token_start(),
                 upper + " is no keyword of the language: it is the text \"" + t_.token + "\"");
    }

    void function_call() {
        const FunctionName& f = kFunctionNames[t_.function()];
        argument_list(f.name, f.signature);
        if (t_.kind() == TK_RIGHT_PAREN) next();
    }

    // With the function name or command keyword current: "(", the arguments, ")". Leaves
    // ")" current, or the token that broke the list.
    void argument_list(const char* name, std::string_view signature) {
        uint32_t at = t_.token_start();
        next();
        if (t_.kind() != TK_LEFT_PAREN) {
            error(at, std::string(script_error_message(kErrParameters)) + ": " + name +
                          " needs its arguments in parentheses");
            t_.push_back_token();
            return;
        }
        std::size_t count = 0;
        for (;;) {
            Type type = expression(count > 0 || peek() != TK_RIGHT_PAREN);
            uint32_t argument_at = expression_start_;
            next();
            if (type != Type::none) {
                if (count < signature.size())
                    check_argument_type(name, signature, count, type, argument_at);
                ++count;
            }
            if (t_.kind() == TK_COMMA) continue;
            if (t_.kind() == TK_RIGHT_PAREN) break;
            error(t_.token_start(), std::string(script_error_message(kErrParameters)) + ": " +
                                        name + " expects , or ) here");
            t_.push_back_token();
            return;
        }
        std::size_t required = 0;
        while (required < signature.size() && signature[required] >= 'A' &&
               signature[required] <= 'Z')
            ++required;
        if (count < required || count > signature.size())
            error(at, std::string(script_error_message(kErrParameters)) + ": " + name + " takes " +
                          arity(required, signature.size()) + ", not " + std::to_string(count));
    }

    void check_argument_type(const char* name, std::string_view signature, std::size_t i, Type type,
                             uint32_t at) {
        bool wants_text = signature[i] == 'S' || signature[i] == 's';
        if (type == Type::unknown || (type == Type::string) == wants_text) return;
        error(at, std::string(script_error_message(kErrParameters)) + ": argument " +
                      std::to_string(i + 1) + " of " + name + " must be " +
                      (wants_text ? "a text" : "a number"));
    }

    static std::string arity(std::size_t low, std::size_t high) {
        std::string n = std::to_string(low);
        if (high != low) n += " to " + std::to_string(high);
        return n + (high == 1 && low == 1 ? " argument" : " arguments");
    }

    static std::string fold_upper(std::string_view word) {
        std::string out(word);
        for (char& c : out)
            if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
        return out;
    }
};

} // namespace

void check_source(const std::string& name, const ScriptSource& source, Findings& out,
                  std::vector<CalledScript>& calls) {
    std::size_t first = out.size();
    ScriptWalk(name, source, out, calls).run();
    // In the order of the text, as a reader goes through it.
    std::stable_sort(out.begin() + std::ptrdiff_t(first), out.end(),
                     [](const Finding& a, const Finding& b) {
                         return a.line != b.line ? a.line < b.line : a.column < b.column;
                     });
}

} // namespace vtx
